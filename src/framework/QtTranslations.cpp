#include "framework/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace kestrune {

CQtTranslations::CQtTranslations(const char* language)
{
    if (!language || !*language)
        return;
    m_bLoaded = m_translator.load(QStringLiteral("qtbase_") + QString::fromUtf8(language),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                QCoreApplication::installTranslator(&m_translator);
}

CQtTranslations::~CQtTranslations()
{
    if (m_bLoaded)
        QCoreApplication::removeTranslator(&m_translator);
}

}  // namespace kestrune
