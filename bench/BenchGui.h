#pragma once

#include "res/AppResources.h"

#include <QApplication>

namespace kestrune::bench {

// The GUI subcommands' application: on the offscreen platform unless the caller chose another.
class Gui {
public:
    Gui() : m_app(m_argc, m_argv) { RegisterKestruneResources(); }

private:
    static bool UseOffscreenUnlessChosen()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return true;
    }
    const bool m_platformChosen = UseOffscreenUnlessChosen();  // before the application exists
    char m_name[15] = "kestrune-bench";
    char* m_argv[2] = {m_name, nullptr};
    int m_argc = 1;
    QApplication m_app;
};

}  // namespace kestrune::bench
