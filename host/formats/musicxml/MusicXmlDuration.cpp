#include "host/formats/musicxml/MusicXmlDuration.h"

#include "host/model/HostLayout.h"

#include <numeric>

namespace {

std::int64_t Product(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) {
        throw MusicXmlDuration::Overflow();
    }
    return product;
}

std::int64_t Sum(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        throw MusicXmlDuration::Overflow();
    }
    return sum;
}

} // namespace

MusicXmlDuration::MusicXmlDuration(std::int64_t count, std::int64_t divisions) {
    const std::int64_t common = std::gcd(count, divisions);
    numerator_ = count / common;
    denominator_ = divisions / common;
}

MusicXmlDuration MusicXmlDuration::operator+(const MusicXmlDuration& other) const {
    const std::int64_t common = std::gcd(denominator_, other.denominator_);
    const std::int64_t denominator = Product(denominator_ / common, other.denominator_);
    return {Sum(Product(numerator_, other.denominator_ / common),
                Product(other.numerator_, denominator_ / common)),
            denominator};
}

MusicXmlDuration MusicXmlDuration::operator-(const MusicXmlDuration& other) const {
    MusicXmlDuration negated = other;
    negated.numerator_ = -other.numerator_;
    return *this + negated;
}

std::strong_ordering MusicXmlDuration::operator<=>(const MusicXmlDuration& other) const {
    return Product(numerator_, other.denominator_) <=> Product(other.numerator_, denominator_);
}

std::int64_t MusicXmlDuration::HostUnits() const {
    const std::int64_t quarters = numerator_ / denominator_;
    const std::int64_t remainder = numerator_ % denominator_;
    const std::int64_t units = Product(remainder, HostLayout::kQuarterNote);
    const std::int64_t rounded = (units + denominator_ / 2) / denominator_;
    return Sum(Product(quarters, HostLayout::kQuarterNote), rounded);
}

bool MusicXmlDuration::IsWholeHostUnits() const {
    return Product(numerator_ % denominator_, HostLayout::kQuarterNote) % denominator_ == 0;
}
