#include "app/application.h"

#include "app/failure_text.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QWidget>

#include <exception>

namespace tavlo {

namespace {

struct QtText {
    const char* context;
    const char* english;
    const char* japanese;
};

constexpr QtText kPrintDialogTexts[] = {
    {"QPrintPropertiesWidget", "Advanced", "詳細設定"},
    {"QPrintPropertiesDialog", "Advanced", "詳細設定"},
    {"QPrintPropertiesDialog", "There are conflicts in some options. Please fix them.",
     "設定の一部が矛盾しています。直してください。"},
    {"QPrintDialog", "Properties", "プロパティ"},
};

} // namespace

QString PrintDialogTexts::translate(const char* context, const char* sourceText,
                                    const char* /*disambiguation*/, int /*n*/) const {
    for (const QtText& text : kPrintDialogTexts)
        if (qstrcmp(context, text.context) == 0 && qstrcmp(sourceText, text.english) == 0)
            return QString::fromUtf8(text.japanese);
    return {};
}

bool LatinPreviewHider::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Polish && watched->inherits("QPageSetupWidget"))
        if (auto* preview = watched->findChild<QWidget*>(QStringLiteral("preview")))
            preview->hide();
    return false;
}

bool speakJapaneseInQtDialogs(QApplication& application) {
    // Installed last, so asked first; it answers only what Qt's catalogue lacks.
    static QTranslator qtTexts;
    static PrintDialogTexts printDialogTexts;
    static LatinPreviewHider previewHider;
    application.installEventFilter(&previewHider);
    const bool loaded =
        qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) application.installTranslator(&qtTexts);
    application.installTranslator(&printDialogTexts);
    return loaded;
}

Application::Application(int& argc, char** argv, DialogService& dialogs)
    : QApplication(argc, argv), dialogs_(dialogs) {
    speakJapaneseInQtDialogs(*this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        // The handler that threw is gone; its busy cursors were restored as it unwound.
        dialogs_.reportError(activeWindow(), failureText(error));
    } catch (...) {
        dialogs_.reportError(activeWindow(), QStringLiteral("処理中にエラーが発生しました。"));
    }
    return false;
}

} // namespace tavlo
