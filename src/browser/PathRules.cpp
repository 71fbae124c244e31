#include "browser/PathRules.h"

#include "browser/NameMatch.h"

#include <string_view>

namespace kestrune {

std::string GetFolderPart(const std::string& text)
{
    const auto slash = text.rfind('/');
    return slash == std::string::npos ? std::string() : text.substr(0, slash + 1);
}

std::string GetParentFolder(const std::string& text)
{
    if (text.size() <= 1)
        return text;
    // Leave the final character out of the search so that a trailing "/" is not the one cut at.
    const auto slash = text.rfind('/', text.size() - 2);
    return slash == std::string::npos ? text : text.substr(0, slash + 1);
}

namespace {
std::string_view ExtensionOf(std::string_view text)
{
    const auto dot = text.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : text.substr(dot);
}
}  // namespace

std::string GetExtension(const std::string& text)
{
    return std::string(ExtensionOf(text));
}

bool HasExtension(const std::string& text, const std::string& ext)
{
    return EqualsIgnoringCase(ExtensionOf(text), ext);
}

bool IsFolderEntry(const std::string& text)
{
    return !text.empty() && text.back() == '/';
}

}  // namespace kestrune
