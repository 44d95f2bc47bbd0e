#include "app/file_commands.h"

#include "app/file_messages.h"
#include "app/file_pane.h"
#include "app/main_window.h"
#include "document/texts.h"

#include <QFileInfo>

namespace tavlo {

namespace {

// A JPEG save is reported in the status bar this long, over the panels.
constexpr int kSaveReportMs = 3000;

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// The path with its extension replaced; an empty path gives the extension alone.
QString withExtension(const QString& path, const QString& extension) {
    const QString ext = fromStd(fileExtension(path.toStdString()));
    return path.left(path.size() - ext.size()) + extension;
}

} // namespace

FileCommands::FileCommands(MainWindow& window) : QObject(&window), window_(window) {}

bool FileCommands::load(const QString& path) {
    Document& document = window_.document();
    DialogService& dialogs = window_.dialogs();
    if (document.modified) {
        const auto answer =
            dialogs.confirm(&window_, fromStd(savePromptText(document.currentFileName)), true);
        if (answer == DialogService::Answer::Yes) saveAsForPrompt();
        if (answer != DialogService::Answer::No) return true;
    }
    const QFileInfo file(path);
    if (!window_.filePane()->showFile(file.absoluteFilePath())) {
        dialogs.reportError(&window_, file.absolutePath() + QStringLiteral(" を開けません。"));
        return false;
    }
    LoadOutcome outcome = LoadOutcome::CannotRead;
    if (!window_.runAction([&] {
            document.sourcePath = path.toStdString();
            outcome = document.loadImageFile();
            if (outcome == LoadOutcome::Loaded) window_.showLoadedDocument();
        }))
        return false;
    if (outcome != LoadOutcome::Loaded) {
        dialogs.reportError(&window_, loadFailureText(file.fileName(), document.problem));
        return false;
    }
    emit window_.imageLoaded();
    return true;
}

// The dialog starts in the shown picture's folder, where the next picture most likely is.
void FileCommands::open(ImageFileType type) {
    const bool jpeg = type == ImageFileType::Jpeg;
    const Document& document = window_.document();
    const QString folder = document.noSourceFile || document.sourcePath.empty()
                               ? QString()
                               : QFileInfo(fromStd(document.sourcePath)).absolutePath();
    const auto path = window_.dialogs().openImage(
        &window_, jpeg ? QStringLiteral("JPGファイルを開く") : QStringLiteral("BMPファイルを開く"),
        jpeg ? QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.JPG;*.JPEG;*.JPE")
             : QStringLiteral("BMPﾌｧｲﾙ(*.BMP)|*.BMP"),
        folder);
    if (path) load(*path);
}

QString FileCommands::proposedName(ImageFileType type) const {
    const QString source = fromStd(window_.document().sourcePath);
    if (!source.isEmpty() && imageFileType(source.toStdString()) == type) return source;
    return withExtension(source, type == ImageFileType::Jpeg ? QStringLiteral(".jpg")
                                                             : QStringLiteral(".bmp"));
}

bool FileCommands::save(ImageFileType type, bool saveAs) {
    Document& document = window_.document();
    const bool jpeg = type == ImageFileType::Jpeg;
    const QString title = jpeg ? (saveAs ? QStringLiteral("JPGファイル別名保存")
                                         : QStringLiteral("JPGファイル上書き保存")) +
                                     QStringLiteral("(%1)").arg(document.jpegQuality)
                               : (saveAs ? QStringLiteral("BMPファイル別名保存 ")
                                         : QStringLiteral("BMPファイル上書き保存 ")) +
                                     fromStd(document.bmpFormatText);
    const auto path = window_.dialogs().saveImage(&window_, title,
                                                  jpeg ? QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.jpg")
                                                       : QStringLiteral("BMPﾌｧｲﾙ(*.BMP)|*.BMP"),
                                                  proposedName(type), saveAs);
    if (!path) return false;
    SaveOutcome outcome = SaveOutcome::WriteFailed;
    if (!window_.runAction([&] {
            outcome = jpeg ? document.saveJpeg(path->toStdString())
                           : document.saveBmp(path->toStdString());
        }))
        return false;
    switch (outcome) {
    case SaveOutcome::Saved:
        if (jpeg) window_.showStatusReport(fromStd(document.jpegSaveReport()), kSaveReportMs);
        return true;
    case SaveOutcome::BadExtension:
        window_.dialogs().message(&window_, fromStd(std::string(kBadExtensionMessage)));
        return false;
    case SaveOutcome::WriteFailed:
        window_.dialogs().reportError(
            &window_, saveFailureText(QFileInfo(*path).fileName(), document.problem));
        return false;
    }
    return false;
}

bool FileCommands::saveAsForPrompt() {
    const Document& document = window_.document();
    // A pasted picture, with no file of its own, is offered as a BMP.
    return save(imageFileType(document.currentFileName) == ImageFileType::Jpeg ? ImageFileType::Jpeg
                                                                               : ImageFileType::Bmp,
                true);
}

void FileCommands::revert() {
    Document& document = window_.document();
    if (document.noSourceFile) {
        window_.undo();
        return;
    }
    load(fromStd(document.sourcePath));
}

void FileCommands::drop(const QList<QUrl>& urls) {
    if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
    const QString path = urls.constFirst().toLocalFile();
    if (imageFileType(path.toStdString()) == ImageFileType::Other) {
        window_.dialogs().message(&window_, fromStd(unsupportedDropMessage(
                                                upperCased(fileExtension(path.toStdString())))));
        return;
    }
    load(path);
}

bool FileCommands::mayQuit(bool withCancel) {
    const Document& document = window_.document();
    if (!document.modified) return true;
    const auto answer = window_.dialogs().confirm(
        &window_, fromStd(savePromptText(document.currentFileName)), withCancel);
    // Leaving after a cancelled or failed save would lose the changes: stay instead.
    return answer == DialogService::Answer::No ||
           (answer == DialogService::Answer::Yes && saveAsForPrompt());
}

} // namespace tavlo
