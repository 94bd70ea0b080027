// ToMulti of a page: every page of the chain, in ascending page number.
//
// Graphic elements get onto a page only through its add operations, which
// name each new element in graphicOrder (the MULTI parser and the XML reader
// both use them). The page therefore writes exactly the elements named in
// graphicOrder, in that order, and each element once: an element named a
// second time is skipped, and one linked into a chain by hand without being
// named is not written. Travel-time fields write only themselves, so a chain
// of them is never written twice.
#include "multi/writer.h"

namespace dms {
namespace multi {
namespace {

bool namedBefore(const std::vector<OrderItem>& order, size_t i) {
    for (size_t k = 0; k < i; ++k)
        if (order[k].element == order[i].element) return true;
    return false;
}

void writeGraphics(std::string& out, const PageMessage& page) {
    const std::vector<OrderItem>& order = page.graphicOrder;
    for (size_t i = 0; i < order.size(); ++i) {
        const OrderItem& item = order[i];
        if (item.element == nullptr || namedBefore(order, i)) continue;
        switch (item.kind) {
            case kKindColorRectangle: write(out, *static_cast<const ColorRectangle*>(item.element)); break;
            case kKindPicture: write(out, *static_cast<const Picture*>(item.element)); break;
            case kKindTextRectangle: write(out, *static_cast<const TextRectangle*>(item.element)); break;
            case kKindWeatherJourneyTime:
                write(out, *static_cast<const WeatherJourneyTime*>(item.element));
                break;
            default: break;
        }
    }
}

void writeTag(std::string& out, const char* name, int32_t value) {
    if (value == -1) return;
    out += name;
    appendInt(out, value);
    out += ']';
}

void writePage(std::string& out, const PageMessage& page) {
    if (page.pageNum != 0) out += "[np]";
    out += "[pt";
    appendInt(out, page.pageOnTime);
    out += 'o';
    if (page.pageOffTime != 0) appendInt(out, page.pageOffTime);
    out += ']';
    if (page.pageBackground != kColorUnset) {
        out += "[pb";
        appendColor(out, page.pageBackground);
        out += ']';
    }
    writeTag(out, "[jp", page.pageAlign);
    writeTag(out, "[jl", page.lineAlign);
    writeTag(out, "[sc", page.spaceCharacterCount);
    writeSection(out, page);
    writeGraphics(out, page);
    // A region still open is closed at the page end, whatever its times: a
    // sign refuses a region that runs into the next page.
    if (lastFlash.flashOnTime != 0 || lastFlash.flashOffTime != 0) out += "[/fl]";
}

}  // namespace

void writePages(std::string& out, const PageMessage& first) {
    int32_t lastWritten = -1;
    for (const PageMessage* turn = &first; turn != nullptr; turn = turn->next) {
        resetWriterState();
        const PageMessage* chosen = nullptr;
        for (const PageMessage* p = &first; p != nullptr; p = p->next) {
            if (p->pageNum > lastWritten && (chosen == nullptr || p->pageNum < chosen->pageNum)) chosen = p;
        }
        if (chosen == nullptr) break;
        lastWritten = chosen->pageNum;
        writePage(out, *chosen);
    }
}

}  // namespace multi

std::ostringstream PageMessage::ToMulti() {
    std::string out;
    out.reserve(256);
    multi::writePages(out, *this);
    return multi::toStream(out);
}

}  // namespace dms
