#pragma once

#include <QTranslator>

namespace kestrune {

// Qt's own texts in the program's language, Russian, whatever the desktop's: the stock buttons of
// message boxes, the folder picker, the edit fields' context menus. While it lives, Qt's Russian
// catalogue (Debian package qt6-translations-l10n) is installed when it is there; without it Qt
// keeps its English texts and everything else works the same.
class CQtTranslations {
public:
    CQtTranslations();
    ~CQtTranslations();
    CQtTranslations(const CQtTranslations&) = delete;
    CQtTranslations& operator=(const CQtTranslations&) = delete;

    bool IsLoaded() const { return m_bLoaded; }

private:
    QTranslator m_translator;
    bool m_bLoaded = false;
};

}  // namespace kestrune
