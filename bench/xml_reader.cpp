// Throughput of the language file reader (decoding the bytes to UTF-16 and parsing) beside
// pugixml parsing the same bytes, on a 5 MB document shaped like a language file and a 1 MB
// document of deep nesting. Runs alternate between the two so that a noisy machine skews
// both alike.
#include <pugixml.hpp>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/localization/UiStrings.h"
#include "common/localization/XmlDocument.h"
#include "support/Stats.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string LanguageLikeDocument(std::size_t size) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<language name=\"English\">\n"
        "  <config>\n";
    const char* texts[] = {"OK",
                           "Cancel",
                           "Restore Defaults",
                           "Key Combination",
                           "Caf\xC3\xA9 &amp; more",
                           "Volume Down",
                           "At least one button must keep the Left Click function."};
    for (int i = 0; xml.size() < size; ++i) {
        const std::string key = "tc_key_" + std::to_string(i);
        if (i % 50 == 0) {
            xml += "    <!-- group " + std::to_string(i / 50) + " -->\n";
        }
        if (i % 17 == 0) {
            xml += "    <" + key + " lang=\"en\"><![CDATA[<b>" + texts[i % 7] + "</b>]]></" + key +
                   ">\n";
        } else {
            xml += "    <" + key + ">" + texts[i % 7] + "</" + key + ">\n";
        }
    }
    xml += "  </config>\n</language>\n";
    return xml;
}

std::string DeepDocument(std::size_t size) {
    const std::string open = "<level>";
    const std::string close = "</level>";
    const std::size_t depth = size / (open.size() + close.size());
    std::string xml;
    xml.reserve(size + 16);
    for (std::size_t i = 0; i < depth; ++i) {
        xml += open;
    }
    xml += "deep";
    for (std::size_t i = 0; i < depth; ++i) {
        xml += close;
    }
    return xml;
}

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void Compare(const char* name, const std::string& bytes, int runs) {
    const double megabytes = static_cast<double>(bytes.size()) / 1e6;
    std::vector<double> ours, oursParseOnly, pugi;
    std::size_t elements = 0;
    std::size_t pugiParsed = 0;
    const k2q::PortableCodePages codePages;
    const auto measureOurs = [&] {
        k2q::CXmlDocument document;
        std::uint32_t flags = 0;
        std::u16string result;
        const auto start = Clock::now();
        document.LoadTextBytes(bytes, flags, result, codePages);
        const auto decoded = Clock::now();
        document.Parse();
        const auto parsed = Clock::now();
        ours.push_back(megabytes / Seconds(parsed - start));
        oursParseOnly.push_back(megabytes / Seconds(parsed - decoded));
        elements = document.ElementCount() - 1;
    };
    const auto measurePugi = [&] {
        pugi::xml_document document;
        const auto start = Clock::now();
        const pugi::xml_parse_result ok = document.load_buffer(bytes.data(), bytes.size());
        const auto parsed = Clock::now();
        pugi.push_back(megabytes / Seconds(parsed - start));
        pugiParsed = ok ? 1 : 0;
    };
    // Alternating which goes first, so that neither always meets the other's freed memory.
    for (int run = 0; run < runs; ++run) {
        if (run % 2 == 0) {
            measureOurs();
            measurePugi();
        } else {
            measurePugi();
            measureOurs();
        }
    }
    const double oursMedian = k2q::bench::Summarize(ours).median;
    const double pugiMedian = k2q::bench::Summarize(pugi).median;
    std::printf("%s: %.2f MB, %zu elements, pugixml %s\n", name, megabytes, elements,
                pugiParsed ? "parsed it" : "FAILED");
    k2q::bench::PrintComparison(std::string(name) + " decode+parse", oursMedian, pugiMedian,
                                "MB/s");
    k2q::bench::PrintComparison(std::string(name) + " parse only",
                                k2q::bench::Summarize(oursParseOnly).median, pugiMedian, "MB/s");
}

}  // namespace

int main() {
    Compare("language-like 5 MB", LanguageLikeDocument(5u << 20), 21);
    Compare("deep nesting 1 MB", DeepDocument(1u << 20), 21);
    return 0;
}
