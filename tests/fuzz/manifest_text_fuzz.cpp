// check's reading of the server's answer, on any bytes: the transport's
// conversion to the ANSI code page leaves arbitrary bytes arbitrary. The
// nesting rule, the zero padding, the parse, the offered version and the
// printed form that would be saved as Server.xml; that form must load, as
// the updater loads it, as the very document check read. It all runs on a
// thread with half the program's stack (MinGW's default reserve is 2 MB), so
// a recursion the full limit does not bound overflows it.
#include <pthread.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "updater/xml_text.h"

namespace {

constexpr std::size_t kStackBytes = 1024 * 1024;

// Every node in document order with its level, kind, value and attributes,
// written out so that two documents compare as text. Walked without
// recursion and without the product's own comparison.
std::string Outline(const TiXmlDocument& document) {
    std::string out;
    int level = 1;
    for (const TiXmlNode* node = document.FirstChild(); node;) {
        out += std::to_string(level) + " " + std::to_string(node->Type()) + " [" + node->Value() + "]";
        if (const TiXmlElement* element = node->ToElement()) {
            for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
                out += std::string(" ") + a->Name() + "=[" + a->Value() + "]";
        } else if (const TiXmlText* text = node->ToText()) {
            out += text->CDATA() ? " cdata" : "";
        } else if (const TiXmlDeclaration* declaration = node->ToDeclaration()) {
            out += std::string(" [") + declaration->Version() + "][" + declaration->Encoding() + "][" +
                   declaration->Standalone() + "]";
        }
        out += "\n";
        if (node->FirstChild()) {
            node = node->FirstChild();
            ++level;
            continue;
        }
        for (; node != &document && !node->NextSibling(); node = node->Parent()) --level;
        node = node == &document ? nullptr : node->NextSibling();
    }
    return out;
}

void* ReadAnswer(void* argument) {
    const std::string& answer = *static_cast<const std::string*>(argument);
    TiXmlDocument offered;
    if (!zarnel::ParseManifestText(answer, &offered) || !zarnel::OfferedVersion(offered)) return nullptr;
    std::string saved;
    if (!zarnel::PrintManifest(offered, &saved)) return nullptr;
    TiXmlDocument loaded;
    if (!zarnel::ParseManifestText(saved, &loaded) || Outline(loaded) != Outline(offered)) std::abort();
    return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string answer(reinterpret_cast<const char*>(data), size);
    pthread_attr_t attributes;
    pthread_t thread;
    if (pthread_attr_init(&attributes) != 0 || pthread_attr_setstacksize(&attributes, kStackBytes) != 0 ||
        pthread_create(&thread, &attributes, ReadAnswer, &answer) != 0 || pthread_join(thread, nullptr) != 0)
        std::abort();
    pthread_attr_destroy(&attributes);
    return 0;
}
