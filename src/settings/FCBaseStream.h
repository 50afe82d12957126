// Root of the framework's streams.
#pragma once

#include "framework/core/FCBase.h"

class __FCBaseStream : public __FCBase {};
