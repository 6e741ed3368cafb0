#include <zeltmath/base/string.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace {

struct ResourceTable {
    std::mutex mutex;
    std::map<unsigned int, std::string> texts;
};

ResourceTable& Resources()
{
    static ResourceTable table;
    return table;
}

} // namespace

CZELTString::CZELTString() = default;
CZELTString::CZELTString(const char* text) : m_text(text ? text : "") {}
CZELTString::CZELTString(const std::string& text) : m_text(text) {}
CZELTString::~CZELTString() = default;

CZELTString& CZELTString::operator=(const char* text)
{
    // text may point into this string; build the copy first.
    std::string copy(text ? text : "");
    m_text.swap(copy);
    return *this;
}

CZELTString& CZELTString::operator+=(const char* text)
{
    if (text)
        m_text += std::string(text);
    return *this;
}

CZELTString& CZELTString::operator+=(char c)
{
    m_text += c;
    return *this;
}

int CZELTString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string from(oldText);
    const std::string to(newText ? newText : "");
    std::string out;
    int count = 0;
    std::size_t pos = 0;
    for (;;) {
        std::size_t hit = m_text.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(m_text, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++count;
    }
    if (count) {
        out.append(m_text, pos, std::string::npos);
        m_text.swap(out);
    }
    return count;
}

int CZELTString::Delete(int index, int count)
{
    const int length = GetLength();
    index = std::max(index, 0);
    if (count > 0 && index < length) {
        const int n = std::min(count, length - index);
        m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(n));
    }
    return GetLength();
}

bool CZELTString::LoadString(unsigned int id)
{
    ResourceTable& table = Resources();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto it = table.texts.find(id);
    if (it == table.texts.end())
        return false;
    m_text = it->second;
    return true;
}

void CZELTString::SetResource(unsigned int id, const char* text)
{
    ResourceTable& table = Resources();
    std::lock_guard<std::mutex> lock(table.mutex);
    table.texts[id] = text ? text : "";
}
