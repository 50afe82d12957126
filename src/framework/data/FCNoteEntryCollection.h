// Base of the collections whose elements are note entries.
#pragma once

#include "framework/core/FCCollection.h"

class __FCNoteEntryCollection : public __FCCollection {};
