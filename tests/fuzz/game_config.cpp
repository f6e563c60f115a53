// Fuzzes the configuration readers: the input is read as the product's
// "game.xml", as "editions.xml" (under the edition type the input's own
// product file names, else "pc"), as "data.xml" and as the user's
// "game.xml", which is then written back.
#include <cstdint>

#include "engine/util/KF_XML.h"
#include "game/product/GG_SETTINGS.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::fScene();
    pugi::xml_document document;
    if (!fuzzsupport::fParse(data, size, document)) return 0;
    const pugi::xml_node root = KEL::fFindElement(document);
    game::GG_SETTINGS settings;
    if (!settings.fReadProduct(root)) {
        pugi::xml_document product;
        product.load_string("<game><company value=\"c\"/><product value=\"p\"/><edition value=\"pc\"/>"
                            "<lang value=\"en\"/></game>");
        settings.fReadProduct(product.document_element());
    }
    settings.fReadEditions(root);
    settings.fReadData(root);
    settings.fGetUserFolder();
    return 0;
}
