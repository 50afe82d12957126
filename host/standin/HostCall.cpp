#include "host/standin/HostCall.h"

#include <iomanip>
#include <ostream>

std::ostream& operator<<(std::ostream& out, const HostCall& call) {
    out << call.name << '(';
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        out << (i ? ", " : "") << call.args[i];
    }
    out << ')';
    if (!call.bytes.empty()) {
        const std::ios::fmtflags flags = out.flags();
        const char fill = out.fill('0');
        out << ' ' << std::hex;
        for (unsigned char byte : call.bytes) {
            out << std::setw(2) << static_cast<int>(byte);
        }
        out.flags(flags);
        out.fill(fill);
    }
    return out;
}
