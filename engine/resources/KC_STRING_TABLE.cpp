#include "engine/resources/KC_STRING_TABLE.h"

#include "engine/util/KF_UTF8.h"

namespace KEL {

namespace {

// All text below the node, in document order. The walk follows sibling and
// parent links instead of recursing, so a document nested thousands deep
// cannot exhaust the stack.
void fCollectText(pugi::xml_node top, std::string& out) {
    pugi::xml_node node = top.first_child();
    while (node) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) out += node.value();
        if (node.type() == pugi::node_element && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != top && !node.next_sibling()) node = node.parent();
        if (node == top) break;
        node = node.next_sibling();
    }
}

std::string fCellText(pugi::xml_node cell) {
    std::string text;
    for (pugi::xml_node child : cell.children()) {
        if (child.type() != pugi::node_element) continue;
        fCollectText(child, text);
        break;
    }
    return text;
}

}  // namespace

KC_STRING_TABLE::~KC_STRING_TABLE() { fClear(); }

pugi::xml_node KC_STRING_TABLE::fFirstRow(const pugi::xml_document& document) {
    return document.child("Workbook").child("Worksheet").child("Table").child("Row");
}

uint32_t KC_STRING_TABLE::fRead(pugi::xml_node firstRow) {
    fClear();
    int32_t row = 0;
    for (pugi::xml_node node = firstRow; node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element) continue;
        auto* entry = new KS_ENTRY();
        entry->mRow = ++row;
        int32_t column = 0;
        for (pugi::xml_node cell : node.children()) {
            if (cell.type() != pugi::node_element) continue;
            ++column;
            if (column == mKeyColumn) entry->mKey = fCellText(cell);
            if (column == mTextColumn) entry->mText = fCellText(cell);
        }
        mEntries.push_back(entry);
        mIndex.emplace(entry->mKey, entry);
    }
    mCount = static_cast<uint32_t>(mEntries.size());
    return mCount;
}

const std::string& KC_STRING_TABLE::fGet(const std::string& key) const {
    static const std::string kMissing = "etwas";
    auto it = mIndex.find(key);
    return it == mIndex.end() ? kMissing : it->second->mText;
}

std::wstring KC_STRING_TABLE::fGetString(const std::string& key) const { return fWiden(fGet(key)); }

void KC_STRING_TABLE::fClear() {
    for (KS_ENTRY* entry : mEntries) delete entry;
    mEntries.clear();
    mIndex.clear();
    mCount = 0;
}

std::wstring KC_STRING_TABLE::fWiden(const std::string& text) { return fFromUtf8(text); }

}  // namespace KEL
