#pragma once

#include <QTranslator>

namespace kestrune {

// Qt's own texts in the application's language, whatever the desktop's: the stock buttons of
// message boxes, the folder picker, the edit fields' context menus. While it lives, Qt's catalogue
// for that language (on Debian, package qt6-translations-l10n) is installed when it is there;
// without it Qt keeps its English texts and everything else works the same.
class CQtTranslations {
public:
    // language: as Qt names its catalogues ("ru" for qtbase_ru); null or empty: none is loaded.
    explicit CQtTranslations(const char* language);
    ~CQtTranslations();
    CQtTranslations(const CQtTranslations&) = delete;
    CQtTranslations& operator=(const CQtTranslations&) = delete;

    bool IsLoaded() const { return m_bLoaded; }

private:
    QTranslator m_translator;
    bool m_bLoaded = false;
};

}  // namespace kestrune
