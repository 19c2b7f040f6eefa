#include "web/WebPage.h"

namespace {

// The state sits in a script element read as data; '<', '>' and '&' written
// as JSON escapes keep any text in it from closing the element.
QByteArray scriptSafeJson(const QByteArray& json)
{
    QByteArray out;
    out.reserve(json.size() + 16);
    for (const char c : json) {
        if (c == '<')
            out += "\\u003c";
        else if (c == '>')
            out += "\\u003e";
        else if (c == '&')
            out += "\\u0026";
        else
            out += c;
    }
    return out;
}

}  // namespace

QByteArray webPageHtml(const QByteArray& snapshotJson)
{
    QByteArray page = webPageTemplate();
    page.replace("{{STATE}}", scriptSafeJson(snapshotJson));
    return page;
}
