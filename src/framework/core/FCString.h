// The framework's text: UTF-16 code units, always zero-terminated, with an 8-bit copy made on
// request from the low byte of each unit. Also converts numbers and loads string resources.
#pragma once

#include "framework/core/FCBase.h"
#include "platform/Platform.h"

#include <cstdint>

class FCString : public __FCBase {
public:
    FCString();
    explicit FCString(const char* text);
    FCString(const FCString& other);
    FCString& operator=(const FCString& other);
    ~FCString() override;

    const char* ClassName() const override { return "FCString"; }

    void SetCString(const char* text);
    void SetUTF16(const char16_t* units);
    // The given count of units, zero units included.
    void SetUTF16(const char16_t* units, std::uint64_t count);
    void SetString(const FCString* other);
    // The low byte of each code unit, zero-terminated; valid until the next call or the end.
    const char* GetCString();
    void AppendCString(const char* text);
    // printf-style formatting, never longer than the 2047 characters of the work area.
    int Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void SetInteger(std::int32_t value);
    void SetFloat(float value);
    float GetFloat() const;

    std::int64_t FindString(const FCString* other, std::uint64_t start) const;
    std::int64_t FindCString(const char* text, std::uint64_t start) const;
    std::int64_t FindFirstCString(const char* text) const;
    bool ReplaceCString(const char* find, const char* replacement);
    bool DeleteLeft(std::uint64_t count);
    void TrimWhitespace();
    void TrimLineEnds();
    void Reserve(std::uint64_t count);
    bool LoadResourceString(std::uint32_t id, HMODULE module = nullptr);

    // Lengths as text in a measurement unit (0: the document's unit), with the user's separator.
    // They are built with the document data, which knows the document's unit.
    std::int16_t ExtractMeasurementUnit(std::int16_t defaultUnit);
    float GetMeasurement(std::int16_t unit) const;
    void SetMeasurement(float evpus, std::int16_t unit);

    std::uint64_t GetLength() const { return length_; }
    std::uint64_t GetCapacity() const { return capacity_; }
    bool IsEmpty() const { return length_ == 0; }
    // The code units with their terminator; an empty text when nothing is stored.
    const char16_t* GetUTF16() const { return buffer_ ? buffer_ : u""; }
    bool IsEqualCString(const char* text) const;

private:
    void SetUnits(const char16_t* units, std::uint64_t count);
    void FreeBuffer();

    std::uint64_t length_ = 0;
    std::uint64_t capacity_ = 0;
    char16_t* buffer_ = nullptr;
    char* cstring_ = nullptr;
};
