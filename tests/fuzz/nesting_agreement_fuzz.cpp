// Whenever the nesting rule accepts a text, TinyXML's real recursion stays
// within the limit; measured without trusting the rule. The parse, and the
// document's destruction, which recurses as deep, run on a thread whose
// stack holds the limit's levels with a margin, so a deeper recursion
// overflows it (an AddressSanitizer finding), and the parsed document's
// depth is walked. The rule must also read exactly as the parser does: what
// it accepts parses, at the very levels it counted. A small limit lets short
// inputs reach it.
#include <pthread.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "tests/updater/element_depth.h"
#include "updater/xml_text.h"

namespace {

constexpr int kLimit = 8;
// Under AddressSanitizer a level of TinyXML's parser takes about 0.4 KB of
// stack (measured): this holds about fifty levels, the limit with a margin,
// and overflows well before a hundred.
constexpr std::size_t kStackBytes = 32 * 1024;

struct Parse {
    const std::string* text;
    bool parsed;
    int depth;
};

void* ParseOnSmallStack(void* argument) {
    Parse* job = static_cast<Parse*>(argument);
    TiXmlDocument document;
    job->parsed = zarnel::ParseManifestText(*job->text, &document, kLimit);
    job->depth = ElementDepth(document);
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Parse job{&text, false, 0};
    pthread_attr_t attributes;
    pthread_t thread;
    if (pthread_attr_init(&attributes) != 0 || pthread_attr_setstacksize(&attributes, kStackBytes) != 0 ||
        pthread_create(&thread, &attributes, ParseOnSmallStack, &job) != 0 ||
        pthread_join(thread, nullptr) != 0)
        std::abort();
    pthread_attr_destroy(&attributes);
    if (job.depth > kLimit) std::abort();

    const std::string buffer = zarnel::ParserBuffer(text);
    if (zarnel::NestingWithin(buffer.c_str(), kLimit) != job.parsed) std::abort();
    if (job.parsed && (!zarnel::NestingWithin(buffer.c_str(), job.depth) ||
                       (job.depth > 0 && zarnel::NestingWithin(buffer.c_str(), job.depth - 1))))
        std::abort();
    return 0;
}
