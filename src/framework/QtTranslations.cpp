#include "framework/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace kestrune {

CQtTranslations::CQtTranslations()
{
    m_bLoaded = m_translator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                QCoreApplication::installTranslator(&m_translator);
}

CQtTranslations::~CQtTranslations()
{
    if (m_bLoaded)
        QCoreApplication::removeTranslator(&m_translator);
}

}  // namespace kestrune
