#include "app/file_commands.h"

#include "app/file_messages.h"
#include "app/file_pane.h"
#include "app/main_window.h"
#include "document/file_io.h"
#include "document/jpeg_codec.h"
#include "document/photo_source.h"
#include "document/texts.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include <array>
#include <utility>

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

FileCommands::FileCommands(MainWindow& window)
    : QObject(&window), window_(window),
      ahead_(std::make_unique<DecodeAhead>([this](const DecodeWanted& decoded) {
          QMetaObject::invokeMethod(
              this,
              [this, decoded] {
                  // The runner ends the pending load before its (here empty) work.
                  if (pending_ && DecodeWanted{pending_->absolutePath} == decoded)
                      window_.runAction([] {});
              },
              Qt::QueuedConnection);
      })) {}

bool FileCommands::load(const QString& path) {
    Document& document = window_.document();
    DialogService& dialogs = window_.dialogs();
    // A pending load shows a file just read: there is nothing of it to save. Leaving one means
    // the user moves faster than files decode.
    const bool browsingFast = abandonPendingLoad();
    if (!browsingFast && document.modified) {
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
    const std::string absolutePath = file.absoluteFilePath().toStdString();
    LoadOutcome outcome = LoadOutcome::CannotRead;
    bool pending = false;
    if (!window_.runAction([&] {
            const DecodeWanted whole{absolutePath};
            auto decoded = ahead_->take(whole, document.uprightOnLoad, false);
            if (!decoded) pending = drawFirstLook(path, absolutePath, browsingFast);
            if (pending) return;
            // A decode of the file under way is sooner done than a new one.
            if (!decoded) decoded = ahead_->take(whole, document.uprightOnLoad, true);
            outcome = takeIntoDocument(path, absolutePath, std::move(decoded));
            if (outcome == LoadOutcome::Loaded) window_.showLoadedDocument();
        }))
        return false;
    return pending || finishLoad(outcome, file.fileName(), absolutePath);
}

bool FileCommands::abandonPendingLoad() {
    return std::exchange(pending_, std::nullopt).has_value();
}

bool FileCommands::drawFirstLook(const QString& path, const std::string& absolutePath,
                                 bool browsingFast) {
    const Document& document = window_.document();
    const bool upright = document.uprightOnLoad;
    if (imageFileType(absolutePath) != ImageFileType::Jpeg) return false;
    ByteBuffer bytes;
    std::string error;
    if (!readWholeFile(absolutePath, bytes, error, kMaxJpegFileBytes)) return false;
    const auto size = photoSize(bytes, upright);
    // What the full decode refuses, it reports.
    if (!size || std::uint64_t(size->first) * std::uint64_t(size->second) > kMaxPixels)
        return false;
    const ViewSize view = viewSizeFor(document.displayScale, size->first, size->second,
                                      document.fitWidth, document.fitHeight);
    const int reduction = scaleDenominatorFor(size->first, size->second, view.width, view.height);
    // At 1/1 a picture far taller than the view is first drawn from the rows the view shows:
    // the screen's height before the window has its size.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int topRows = document.fitHeight > 0 ? document.fitHeight
                        : screen
                            ? static_cast<int>(screen->size().height() * screen->devicePixelRatio())
                            : 0;
    const bool topOnly =
        reduction == 1 && document.displayScale == 1 && topRows > 0 && size->second >= 2 * topRows;
    if (reduction == 1 && !topOnly) return false;

    std::optional<DecodedFile> lookAhead;
    if (!topOnly) lookAhead = ahead_->take({absolutePath, reduction}, upright, false);
    // Told before the look below is decoded here, so that the other core goes on at once: with
    // the quick look of the next file first while the user moves fast, else the whole file.
    std::vector<DecodeWanted> wanted{{absolutePath}};
    const std::vector<std::string> neighbours = neighboursOf(absolutePath);
    for (const std::string& neighbour : neighbours)
        wanted.push_back({neighbour});
    if (browsingFast && !topOnly && !neighbours.empty() &&
        imageFileType(neighbours.front()) == ImageFileType::Jpeg)
        wanted.insert(wanted.begin(), {neighbours.front(), reduction});
    ahead_->want(std::move(wanted), upright);
    DecodedPhoto look;
    if (lookAhead) {
        look.decoded = std::move(lookAhead->decoded);
        look.iccProfile = std::move(lookAhead->iccProfile);
    } else {
        look = topOnly ? decodePhotoTop(bytes, upright, topRows)
                       : decodeReducedPhoto(bytes, upright, reduction);
    }
    if (!look.decoded) return false;

    const QSize drawn =
        topOnly ? QSize(view.width, look.decoded.image->height()) : QSize(view.width, view.height);
    window_.showFirstDraw(*look.decoded.image, drawn, look.iccProfile);
    pending_ = PendingLoad{path, absolutePath};
    return true;
}

bool FileCommands::completePendingLoad() {
    if (!pending_) return true;
    // The runner under way, or the one about to start, ends it.
    if (window_.runningAction()) return false;
    const PendingLoad load = *std::exchange(pending_, std::nullopt);
    Document& document = window_.document();
    LoadOutcome outcome = LoadOutcome::CannotRead;
    if (!window_.runAction([&] {
            outcome =
                takeIntoDocument(load.path, load.absolutePath,
                                 ahead_->take({load.absolutePath}, document.uprightOnLoad, true));
            // On a failure this brings the picture before it back.
            window_.showLoadedDocument();
        }))
        return false;
    return finishLoad(outcome, QFileInfo(load.path).fileName(), load.absolutePath);
}

LoadOutcome FileCommands::takeIntoDocument(const QString& path, const std::string& absolutePath,
                                           std::optional<DecodedFile> decoded) {
    Document& document = window_.document();
    document.sourcePath = path.toStdString();
    DecodedFile file = decoded ? std::move(*decoded)
                               : decodeImageFile(document.sourcePath, document.uprightOnLoad);
    // Kept beside the document, sharing its pixels, for the same file loaded again (the second
    // load at start-up, 最初に戻る).
    if (file.outcome == LoadOutcome::Loaded) ahead_->hold({absolutePath}, file);
    return document.loadDecodedFile(std::move(file));
}

bool FileCommands::finishLoad(LoadOutcome outcome, const QString& fileName,
                              const std::string& absolutePath) {
    if (outcome != LoadOutcome::Loaded) {
        window_.dialogs().reportError(&window_,
                                      loadFailureText(fileName, window_.document().problem));
        return false;
    }
    std::vector<DecodeWanted> wanted;
    for (const std::string& neighbour : neighboursOf(absolutePath))
        wanted.push_back({neighbour});
    wanted.push_back({absolutePath});
    ahead_->want(std::move(wanted), window_.document().uprightOnLoad);
    emit window_.imageLoaded();
    return true;
}

std::vector<std::string> FileCommands::neighboursOf(const std::string& absolutePath) {
    const QStringList listed = window_.filePane()->listedFiles();
    const QString shown = fromStd(absolutePath);
    int row = -1;
    for (int i = 0; i < listed.size() && row < 0; ++i)
        if (QFileInfo(listed[i]).absoluteFilePath() == shown) row = i;
    if (row < 0) return {};
    const bool backwards = row < shownRow_;
    shownRow_ = row;
    std::vector<std::string> neighbours;
    for (const int step : backwards ? std::array{-1, 1} : std::array{1, -1})
        if (row + step >= 0 && row + step < listed.size())
            neighbours.push_back(QFileInfo(listed[row + step]).absoluteFilePath().toStdString());
    return neighbours;
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
    if (abandonPendingLoad() || !document.modified) return true;
    const auto answer = window_.dialogs().confirm(
        &window_, fromStd(savePromptText(document.currentFileName)), withCancel);
    // Leaving after a cancelled or failed save would lose the changes: stay instead.
    return answer == DialogService::Answer::No ||
           (answer == DialogService::Answer::Yes && saveAsForPrompt());
}

} // namespace tavlo
