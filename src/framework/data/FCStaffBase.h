// Base of the staff record classes; it adds nothing to a one-record-per-item kind.
#pragma once

#include "framework/data/FCNoInciOther.h"

class __FCStaffBase : public __FCNoInciOther {};
