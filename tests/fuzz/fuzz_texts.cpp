// Fuzzes the typed-number and date readers and the number formats: no input may fault, and what
// the writers produce must read back.
#include "core/date_time.h"
#include "core/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)mca::parseInteger(text);
    if (const auto v = mca::parseFloat(text)) {
        const auto back = mca::parseFloat(mca::formatFull(*v));
        if (!back || std::fabs(*back - *v) > std::fabs(*v) * 1e-14) std::abort();
    }
    if (const auto t = mca::parseDateTimeText(text)) {
        if (!mca::isValidDateTime(*t)) std::abort();
        const auto back = mca::parseDateTimeText(mca::formatDateTimeText(*t));
        if (!back || mca::formatDateTimeText(*back) != mca::formatDateTimeText(*t)) std::abort();
    }
    if (size >= sizeof(double) + 2) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        const int decimals = data[8] % 19;
        const int precision = 1 + data[9] % 18;
        if (mca::formatFixed(value, decimals, precision).empty()) std::abort();
        if (mca::formatNumber(value, decimals, precision).empty()) std::abort();
        if (mca::formatGeneral(value, precision).empty()) std::abort();
        (void)mca::roundHalfEven(value);
        (void)mca::truncateTowardZero(value);
    }
    return 0;
}
