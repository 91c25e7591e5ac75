#include "app/qttranslations.h"

#include "i18n/catalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kobalin {

bool loadQtTranslations(std::int32_t base)
{
    static QTranslator* translator = new QTranslator(QCoreApplication::instance());
    QCoreApplication::removeTranslator(translator);
    const char* language = base == kDutch ? "nl" : base == kFrench ? "fr" : base == kDanish ? "da" : nullptr;
    if (!language)
        return false;
    // Qt's own folder on Linux; on Windows the files lie in translations/
    // beside the program, as windeployqt lays them out.
    const QString name = QStringLiteral("qtbase_") + language;
    const bool loaded = translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
                        translator->load(name, QCoreApplication::applicationDirPath() + "/translations");
    return loaded && QCoreApplication::installTranslator(translator);
}

}  // namespace kobalin
