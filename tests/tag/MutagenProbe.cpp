#include "tag/MutagenProbe.h"

#include <QProcess>

#include <sstream>

namespace kestrune::test {

namespace {

// Prints the version line, then one line per frame: key, a tab, the frame's repr, a tab and the text
// values (or the URL) joined by "|".
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
    text = "|".join(str(x) for x in f.text) if hasattr(f, "text") else getattr(f, "url", "")
    out.append("%s\t%s\t%s" % (key, repr(f).replace("\n", " "), str(text).replace("\n", " ")))
sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8", "surrogatepass"))
)PY";

// Runs /usr/bin/python3 (not the one on PATH, which may lack mutagen); its output, or nothing on failure.
std::optional<std::string> RunPython(const QStringList& arguments)
{
    QProcess python;
    python.start("/usr/bin/python3", arguments);
    const bool ran = python.waitForFinished(-1) && python.exitStatus() == QProcess::NormalExit && !python.exitCode();
    return ran ? std::optional(python.readAllStandardOutput().toStdString()) : std::nullopt;
}

}  // namespace

bool MutagenAvailable()
{
    static const bool available = RunPython({"-c", "import mutagen.id3"}).has_value();
    return available;
}

std::optional<MutagenView> MutagenRead(const std::filesystem::path& file)
{
    const auto out = RunPython({"-c", kDumpScript, QString::fromStdString(file.string())});
    if (!out)
        return std::nullopt;
    MutagenView view;
    std::istringstream lines(*out);
    std::getline(lines, view.version);
    for (std::string line; std::getline(lines, line);)
        view.frames[line.substr(0, line.find('\t'))] = line.substr(line.find('\t') + 1);
    return view;
}

}  // namespace kestrune::test
