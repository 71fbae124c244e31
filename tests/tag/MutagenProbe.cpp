#include "tag/MutagenProbe.h"

#include <cstdio>
#include <sstream>

namespace kestrune::test {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// Prints the version line, then one line per frame: key, a tab, the frame's repr, with the text
// values (if any) joined by "|" as a third column.
constexpr const char* kDumpScript = R"PY(
import sys
from mutagen.id3 import ID3, ID3NoHeaderError
try:
    t = ID3(sys.argv[1], translate=False, load_v1=False)
except ID3NoHeaderError:
    sys.stdout.buffer.write(b"none\n"); sys.exit(0)
out = ["%d.%d" % t.version[:2]]
for key in sorted(t.keys()):
    f = t[key]
    text = "|".join(str(x) for x in getattr(f, "text", [])) if hasattr(f, "text") else getattr(f, "url", "")
    out.append("%s\t%s\t%s" % (key, repr(f).replace("\n", " "), str(text).replace("\n", " ")))
sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8", "surrogatepass"))
)PY";

std::string shellQuote(const std::string& s)
{
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::optional<std::string> run(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return ::pclose(pipe) == 0 ? std::optional(out) : std::nullopt;
}

}  // namespace

bool mutagenAvailable()
{
    static const bool available =
        run(std::string(kPython) + " -c 'import mutagen.id3' 2>/dev/null").has_value();
    return available;
}

std::optional<MutagenView> mutagenRead(const std::filesystem::path& file)
{
    const auto out = run(std::string(kPython) + " -c " + shellQuote(kDumpScript) + " " + shellQuote(file.string()) +
                         " 2>/dev/null");
    if (!out)
        return std::nullopt;
    MutagenView view;
    std::istringstream lines(*out);
    std::getline(lines, view.version);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t tab = line.find('\t');
        view.frames[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return view;
}

std::string mutagenFrame(const MutagenView& view, const std::string& key)
{
    auto it = view.frames.find(key);
    return it == view.frames.end() ? std::string() : it->second;
}

std::string mutagenText(const MutagenView& view, const std::string& key)
{
    auto it = view.frames.find(key);
    if (it == view.frames.end())
        return {};
    const size_t tab = it->second.rfind('\t');
    return it->second.substr(tab + 1);
}

}  // namespace kestrune::test
