// Fuzzes the rich-text report reader: any bytes read without fault, and what was read writes and
// reads back to the same paragraphs.
#include "roi/report_files.h"
#include "roi/rtf_report_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto paragraphs = mca::parseRtfReport(bytes);
    if (!paragraphs) return 0;
    // Characters without a Windows-1252 byte are written as "?", so compare one write with the next.
    const std::string once = mca::rtfReportBytes(*paragraphs);
    const auto back = mca::parseRtfReport(once);
    if (!back || mca::rtfReportBytes(*back) != once) std::abort();
    return 0;
}
