// The leading base-10 integer of an 8-bit text, read the two ways the plug-in needs. Both take an
// optional sign, then digits, give 0 when no digit follows, and hold a value beyond 32 bits at the
// nearest limit.
#pragma once

#include <cstdint>
#include <string_view>

// Blank, tab, line feed, vertical tab, form feed and carriage return.
bool IsWhiteSpace(char c);

// The number must start the text: a stored value is read where it begins.
std::int32_t LeadingIntegerAtStart(std::string_view text);

// White space before the number is passed over, as in a number typed into a dialog item.
std::int32_t LeadingIntegerAfterWhiteSpace(std::string_view text);
