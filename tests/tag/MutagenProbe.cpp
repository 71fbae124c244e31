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
    out = ["%d.%d" % t.version[:2]]
except ID3NoHeaderError:
    t, out = {}, ["none"]
for key, f in sorted(t.items()):
    text = "|".join(map(str, f.text)) if hasattr(f, "text") else getattr(f, "url", "")
    out.append(("%s\t%r\t%s" % (key, f, text)).replace("\n", " "))
sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8", "surrogatepass"))
)PY";

}  // namespace

// Runs /usr/bin/python3, not the one on PATH, which may lack mutagen.
std::optional<MutagenView> MutagenRead(const std::filesystem::path& file)
{
    QProcess python;
    python.start("/usr/bin/python3", {"-c", kDumpScript, QString::fromStdString(file.string())});
    if (!python.waitForFinished(-1) || python.exitStatus() != QProcess::NormalExit || python.exitCode())
        return std::nullopt;
    MutagenView view;
    std::istringstream lines(python.readAllStandardOutput().toStdString());
    std::getline(lines, view.version);
    for (std::string line; std::getline(lines, line);)
        view.frames[line.substr(0, line.find('\t'))] = line.substr(line.find('\t') + 1);
    return view;
}

}  // namespace kestrune::test
