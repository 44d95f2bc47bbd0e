#include "app/main_window.h"

#include "app/failure_text.h"
#include "app/file_info_window.h"
#include "app/file_pane.h"
#include "app/jpeg_quality_dialog.h"
#include "widgets/busy_cursor.h"
#include "widgets/clipboard.h"
#include "widgets/image_view.h"

#include <QApplication>
#include <QDir>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>

#include <new>
#include <optional>

namespace tavlo {

namespace {

// The view sits 2 pixels from the top and from the pane.
constexpr int kViewMargin = 2;
constexpr int kPanelWidths[tavlo::kStatusPanelCount] = {70, 70, 120, 120, 140, 50, 120, 70, 120};
constexpr int kFileSizePanel = 6;
// A JPEG save is reported in the status bar this long, over the panels.
constexpr int kSaveReportMs = 3000;

QString fromStd(const std::string& text) { return QString::fromStdString(text); }
std::string toStd(const QString& text) { return text.toStdString(); }

// A status panel of a given width that grows to show its whole text.
class WideningPanel : public QLabel {
  public:
    explicit WideningPanel(int width) : width_(width) {}
    QSize sizeHint() const override {
        return {std::max(width_, QLabel::sizeHint().width()), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  private:
    int width_;
};

// SourcePath with its extension replaced; an empty path gives the extension alone.
QString withExtension(const QString& path, const QString& extension) {
    const QString ext = fromStd(tavlo::fileExtension(toStd(path)));
    return path.left(path.size() - ext.size()) + extension;
}

} // namespace

MainWindow::MainWindow(DialogService& dialogs, const QString& startupFile, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tavlo　Ver 1.3 2005/3"));
    setAcceptDrops(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(silver);

    buildMenus();
    buildStatusBar();

    filePane_ = new FilePane;
    view_ = new ImageView;
    view_->setObjectName(QStringLiteral("Image1"));
    view_->setContentsMargins(kViewMargin, kViewMargin, 0, 0);
    viewArea_ = new QScrollArea;
    viewArea_->setWidget(view_);
    viewArea_->setWidgetResizable(false);
    viewArea_->setBackgroundRole(QPalette::Window);
    viewArea_->setFrameShape(QFrame::NoFrame);
    splitter_ = new QSplitter(Qt::Horizontal);
    splitter_->setObjectName(QStringLiteral("Splitter3"));
    splitter_->setHandleWidth(4);
    splitter_->addWidget(filePane_);
    splitter_->addWidget(viewArea_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({150, 1000});
    setCentralWidget(splitter_);

    startupTimer_ = new QTimer(this);
    startupTimer_->setSingleShot(true);
    connectHandlers();

    // The creation steps, in their order.
    document_.displayScale = 1;
    showFilePane(true);
    fileListAction->setChecked(true);
    for (QMenu* menu :
         {undoMenu, scaleMenu, sizeMenu, rotateMenu, deformMenu, colourMenu, trimMenu})
        menu->setEnabled(false);
    histogramAction->setEnabled(false);
    fileInfoAction->setEnabled(false);
    fileInfoAction->setChecked(false);
    filePane_->onFileTypeChosen();
    refreshPasteItem();
    document_.jpegQuality = tavlo::kJpegQuality.defaultValue;
    chooseBmpFormat(bmp24BitAction, tavlo::PixelFormat::Bit24);
    const QSize screen = QApplication::primaryScreen()->size();
    resize(screen.width() * 9 / 10, screen.height() * 9 / 10);
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
    document_.noSourceFile = true;
    document_.modified = false;
    document_.programFolder = toStd(QApplication::applicationDirPath() + QLatin1Char('/'));
    document_.startupLoad = startupFile.isEmpty() ? 0 : 1;
    if (!startupFile.isEmpty()) {
        document_.sourcePath = toStd(startupFile);
        // A file that cannot be read is reported once; the second load would only repeat it.
        if (loadImageFile()) startupTimer_->start(100);
    } else {
        // Started from a menu or a shell: the pane opens on the folder it was started in.
        filePane_->selectFolder(QDir::currentPath());
    }
    document_.startupLoad = 0;
}

void MainWindow::attachWindows(FileInfoWindow* fileInfo, JpegQualityDialog* jpegQuality) {
    fileInfoWindow = fileInfo;
    jpegQualityDialog = jpegQuality;
    connect(fileInfoWindow, &FileInfoWindow::closedByUser, this,
            [this] { fileInfoAction->setChecked(false); });
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(24);
    bar->setSizeGripEnabled(false);
    bar->setStyleSheet(QStringLiteral("QStatusBar { background: rgb(192, 220, 192); }"
                                      "QStatusBar::item { border: 1px solid gray; }"));
    for (int i = 0; i < tavlo::kStatusPanelCount; ++i) {
        panels_[i] = i == kFileSizePanel ? new WideningPanel(kPanelWidths[i])
                                         : new QLabel(fromStd(document_.panels[i]));
        panels_[i]->setText(fromStd(document_.panels[i]));
        if (i != kFileSizePanel)
            panels_[i]->setMinimumWidth(kPanelWidths[i]);
        panels_[i]->setAlignment(i == 8 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        // The last panel takes the rest of the bar, so the quality text is never cut off, and
        // the file size widens for a large file rather than lose the end of "ﾊﾞｲﾄ".
        bar->addWidget(panels_[i], i == 8 ? 1 : 0);
        if (i != 8 && i != kFileSizePanel)
            panels_[i]->setMaximumWidth(kPanelWidths[i]);
    }
}

void MainWindow::connectHandlers() {
    connect(openJpegAction, &QAction::triggered, this, &MainWindow::onOpenJpeg);
    connect(openBmpAction, &QAction::triggered, this, &MainWindow::onOpenBmp);
    connect(saveJpegAction, &QAction::triggered, this, &MainWindow::onSaveJpeg);
    connect(saveBmpAction, &QAction::triggered, this, &MainWindow::onSaveBmp);
    connect(saveJpegAsAction, &QAction::triggered, this, &MainWindow::onSaveJpegAs);
    connect(saveBmpAsAction, &QAction::triggered, this, &MainWindow::onSaveBmpAs);
    connect(quitAction, &QAction::triggered, this, &MainWindow::onQuit);
    connect(fileInfoAction, &QAction::triggered, this, &MainWindow::onFileInfo);
    connect(fileListAction, &QAction::triggered, this, &MainWindow::onFileList);
    connect(jpegQualityAction, &QAction::triggered, this, [this] {
        if (jpegQualityDialog) jpegQualityDialog->show();
    });
    connect(saveMetadataAction, &QAction::toggled, this,
            [this](bool on) { document_.keepMetadata = on; });
    connect(bmp8BitAction, &QAction::triggered, this,
            [this] { chooseBmpFormat(bmp8BitAction, tavlo::PixelFormat::Bit8); });
    connect(bmp24BitAction, &QAction::triggered, this,
            [this] { chooseBmpFormat(bmp24BitAction, tavlo::PixelFormat::Bit24); });
    connect(bmp32BitAction, &QAction::triggered, this,
            [this] { chooseBmpFormat(bmp32BitAction, tavlo::PixelFormat::Bit32); });
    connect(undoAction, &QAction::triggered, this, &MainWindow::onUndo);
    connect(copyAction, &QAction::triggered, this, &MainWindow::onCopy);
    connect(pasteAction, &QAction::triggered, this, &MainWindow::onPaste);
    connect(revertAction, &QAction::triggered, this, &MainWindow::onRevert);
    const std::pair<QAction*, int> scales[] = {{scaleFullAction, 1},
                                               {scaleHalfAction, 2},
                                               {scaleThirdAction, 3},
                                               {scaleQuarterAction, 4},
                                               {scaleEighthAction, 8}};
    for (const auto& [action, scale] : scales)
        connect(action, &QAction::triggered, this,
                [this, scale = scale] { runAction([&] { setDisplayScale(scale); }); });
    connect(settingsMenu, &QMenu::aboutToShow, this, &MainWindow::onSettingsMenuShown);
    connect(startupTimer_, &QTimer::timeout, this, &MainWindow::onStartupTimer);
    // Reported after the paint that ran short, not from inside it.
    connect(
        view_, &ImageView::outOfMemory, this,
        [this] {
            dialogs_.reportError(this,
                                 QStringLiteral("メモリが足りないため、画像を表示できません。"));
        },
        Qt::QueuedConnection);
    connect(filePane_, &FilePane::fileChosen, this, [this](const QString& path) {
        document_.sourcePath = toStd(path);
        loadImageFile();
    });
    connect(splitter_, &QSplitter::splitterMoved, this, [this] {
        filePane_->followWidth();
        showFilePane(true);
    });
    channel_.setHandler(tavlo::CommandEdit::Quality,
                        [this](std::int64_t value) { onQualityCommand(value); });
}

bool MainWindow::loadImageFile() {
    if (document_.modified) {
        const auto answer = dialogs_.confirm(
            this, fromStd(tavlo::savePromptText(document_.currentFileName)), true);
        if (answer == DialogService::Answer::Yes)
            saveAsForPrompt();
        if (answer != DialogService::Answer::No)
            return true;
    }
    const QFileInfo file(fromStd(document_.sourcePath));
    if (!filePane_->showFile(file.absoluteFilePath())) {
        dialogs_.reportError(this, file.absolutePath() + QStringLiteral(" を開けません。"));
        return false;
    }
    tavlo::LoadOutcome outcome = tavlo::LoadOutcome::CannotRead;
    if (!runAction([&] { outcome = loadAndShow(); })) return false;
    if (outcome == tavlo::LoadOutcome::CannotRead)
        dialogs_.reportError(this, fromStd(document_.error));
    if (outcome == tavlo::LoadOutcome::Loaded) emit imageLoaded();
    return outcome != tavlo::LoadOutcome::CannotRead;
}

tavlo::LoadOutcome MainWindow::loadAndShow() {
    const tavlo::LoadOutcome outcome = document_.loadImageFile();
    switch (outcome) {
    case tavlo::LoadOutcome::Loaded:
        checkScaleItem();
        enableImageMenus();
        break;
    case tavlo::LoadOutcome::InvalidImage:
        view_->clear(); // the previous image comes back at the next refresh
        break;
    case tavlo::LoadOutcome::CannotRead:
    case tavlo::LoadOutcome::RefusedExtension: break;
    }
    if (outcome == tavlo::LoadOutcome::Loaded)
        showDocument();
    else
        for (int i = 0; i < tavlo::kStatusPanelCount; ++i)
            panels_[i]->setText(fromStd(document_.panels[i]));
    if (fileInfoWindow && document_.startupLoad <= 0)
        fileInfoWindow->showTexts(document_.information);
    return outcome;
}

void MainWindow::setDisplayScale(int scale) {
    document_.setDisplayScale(scale);
    checkScaleItem();
    showDocument();
}

bool MainWindow::runAction(const std::function<void()>& work) {
    std::optional<BusyCursor> busy(std::in_place);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Pixels are shared until written, so these copies cost little.
    tavlo::Document before = document_;
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        document_ = std::move(before);
        // The view only borrows the working image, so showing the restored one allocates nothing.
        showView();
        for (int i = 0; i < tavlo::kStatusPanelCount; ++i)
            panels_[i]->setText(fromStd(document_.panels[i]));
        checkScaleItem();
        busy.reset();
        dialogs_.reportError(actionWindow(), failureText(error));
        return false;
    }
}

MainWindow::RunOutcome
MainWindow::runOperation(const std::function<tavlo::OperationStatus(tavlo::Document&)>& steps) {
    RunOutcome outcome = RunOutcome::Failed;
    runAction([&] {
        if (steps(document_) == tavlo::OperationStatus::Done) {
            document_.modified = true;
            outcome = RunOutcome::Changed;
        } else {
            showUnsupportedFormat();
            outcome = RunOutcome::Refused;
        }
        refresh();
    });
    return outcome;
}

void MainWindow::showUnsupportedFormat() {
    dialogs_.message(actionWindow(), fromStd(std::string(tavlo::kUnsupportedFormatMessage)));
}

// A dialog's "実行" is answered over that dialog: one that stays on top would hide a box owned by
// the main window.
QWidget* MainWindow::actionWindow() {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : this;
}

void MainWindow::checkScaleItem() {
    const std::pair<QAction*, int> items[] = {{scaleFullAction, 1},
                                              {scaleHalfAction, 2},
                                              {scaleThirdAction, 3},
                                              {scaleQuarterAction, 4},
                                              {scaleEighthAction, 8}};
    for (const auto& [action, scale] : items)
        action->setChecked(scale == document_.displayScale);
}

void MainWindow::showDocument() {
    for (int i = 0; i < tavlo::kStatusPanelCount; ++i)
        panels_[i]->setText(fromStd(document_.panels[i]));
    showView();
    if (fileInfoWindow && document_.startupLoad <= 0)
        fileInfoWindow->showTexts(document_.information);
    emit viewRefreshed();
}

void MainWindow::showView() {
    view_->showImage(document_.workImage, QSize(document_.viewWidth, document_.viewHeight));
}

void MainWindow::enableImageMenus() {
    for (QMenu* menu :
         {undoMenu, scaleMenu, sizeMenu, rotateMenu, deformMenu, colourMenu, trimMenu})
        menu->setEnabled(true);
    for (QAction* action : {histogramAction, fileInfoAction, saveJpegAction, saveBmpAction,
                            saveJpegAsAction, saveBmpAsAction, printAction, copyAction})
        action->setEnabled(true);
}

void MainWindow::refreshPasteItem() {
    pasteAction->setEnabled(clipboardHasBitmap());
}

void MainWindow::onCopy() {
    copyToClipboard(document_.workImage);
}

void MainWindow::onPaste() {
    std::optional<tavlo::Bitmap> pasted = bitmapFromClipboard();
    if (!pasted) {
        dialogs_.message(this, QStringLiteral("クリップボードは空っぽです。"));
        return;
    }
    if (!runAction([&] {
            document_.paste(std::move(*pasted));
            checkScaleItem();
            showDocument();
        }))
        return;
    for (QMenu* menu : {undoMenu, scaleMenu, sizeMenu, rotateMenu, deformMenu})
        menu->setEnabled(true);
    for (QAction* action : {histogramAction, saveJpegAction, saveBmpAction, saveJpegAsAction,
                            saveBmpAsAction, printAction, copyAction})
        action->setEnabled(true);
    fileInfoAction->setEnabled(false);
    fileInfoAction->setChecked(false);
    if (fileInfoWindow) fileInfoWindow->hide();
}

void MainWindow::onOpenJpeg() {
    openThroughDialog(QStringLiteral("JPGファイルを開く"), QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.JPG"));
}

void MainWindow::onOpenBmp() {
    openThroughDialog(QStringLiteral("BMPファイルを開く"), QStringLiteral("BMPﾌｧｲﾙ(*.BMP)|*.BMP"));
}

void MainWindow::openThroughDialog(const QString& title, const QString& filter) {
    const auto path = dialogs_.openImage(this, title, filter);
    if (!path)
        return;
    document_.sourcePath = toStd(*path);
    loadImageFile();
}

bool MainWindow::onSaveJpeg() {
    return saveThroughDialog(true, false);
}
bool MainWindow::onSaveBmp() {
    return saveThroughDialog(false, false);
}
bool MainWindow::onSaveJpegAs() {
    return saveThroughDialog(true, true);
}
bool MainWindow::onSaveBmpAs() {
    return saveThroughDialog(false, true);
}

bool MainWindow::saveThroughDialog(bool jpeg, bool saveAs) {
    const QString source = fromStd(document_.sourcePath);
    QString title;
    if (jpeg)
        title = (saveAs ? QStringLiteral("JPGファイル別名保存") : QStringLiteral("JPGファイル上書き保存")) +
                QStringLiteral("(%1)").arg(document_.jpegQuality);
    else
        title = (saveAs ? QStringLiteral("BMPファイル別名保存 ") : QStringLiteral("BMPファイル上書き保存 ")) +
                fromStd(document_.bmpFormatText);
    const auto path = jpeg ? dialogs_.saveImage(this, title, QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.jpg"),
                                                withExtension(source, QStringLiteral(".jpg")), saveAs)
                           : dialogs_.saveImage(this, title, QStringLiteral("BMPﾌｧｲﾙ(*.BMP)|*.BMP"),
                                                withExtension(source, QStringLiteral(".bmp")), saveAs);
    if (!path)
        return false;
    tavlo::SaveOutcome outcome = tavlo::SaveOutcome::WriteFailed;
    if (!runAction([&] {
            outcome = jpeg ? document_.saveJpeg(toStd(*path)) : document_.saveBmp(toStd(*path));
        }))
        return false;
    switch (outcome) {
    case tavlo::SaveOutcome::Saved:
        if (jpeg) statusBar()->showMessage(fromStd(document_.jpegSaveReport()), kSaveReportMs);
        return true;
    case tavlo::SaveOutcome::BadExtension:
        dialogs_.message(this, fromStd(std::string(tavlo::kBadExtensionMessage)));
        return false;
    case tavlo::SaveOutcome::WriteFailed:
        dialogs_.reportError(this, fromStd(document_.error));
        return false;
    }
    return false;
}

bool MainWindow::saveAsForPrompt() {
    return document_.currentExt == ".JPG" ? onSaveJpegAs() : onSaveBmpAs();
}

void MainWindow::onQuit() {
    if (document_.modified) {
        const auto answer = dialogs_.confirm(
            this, fromStd(tavlo::savePromptText(document_.currentFileName)), false);
        // Leaving after a cancelled or failed save would lose the changes: stay instead.
        if (answer == DialogService::Answer::Yes && !saveAsForPrompt())
            return;
    }
    document_.modified = false;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!document_.modified) {
        event->accept();
        return;
    }
    const auto answer =
        dialogs_.confirm(this, fromStd(tavlo::savePromptText(document_.currentFileName)), true);
    const bool close = answer == DialogService::Answer::No ||
                       (answer == DialogService::Answer::Yes && saveAsForPrompt());
    if (close)
        event->accept();
    else
        event->ignore();
}

void MainWindow::onFileInfo() {
    if (!fileInfoWindow) return;
    if (!fileInfoAction->isChecked() || document_.noSourceFile)
        fileInfoWindow->hide();
    else
        fileInfoWindow->show();
}

void MainWindow::onFileList() {
    showFilePane(fileListAction->isChecked());
}

// The splitter keeps the view beside the pane, or at the left edge while the pane is hidden.
void MainWindow::showFilePane(bool visible) {
    filePane_->setVisible(visible);
}

void MainWindow::chooseBmpFormat(QAction* item, tavlo::PixelFormat format) {
    document_.setBmpSaveFormat(format);
    for (QAction* action : {bmp8BitAction, bmp24BitAction, bmp32BitAction})
        action->setChecked(action == item);
    panels_[8]->setText(fromStd(document_.panels[8]));
}

void MainWindow::onUndo() {
    runAction([this] {
        document_.undo();
        refresh();
    });
}

void MainWindow::onRevert() {
    if (!document_.noSourceFile) {
        loadImageFile();
        return;
    }
    onUndo();
}

void MainWindow::onSettingsMenuShown() {
    refreshPasteItem();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    refreshPasteItem();
    QMainWindow::mousePressEvent(event);
}

void MainWindow::onStartupTimer() {
    document_.startupLoad = 0;
    loadImageFile();
}

void MainWindow::onQualityCommand(std::int64_t) {
    document_.refreshQualityPanel();
    panels_[8]->setText(fromStd(document_.panels[8]));
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    filesDropped(event->mimeData()->urls());
}

void MainWindow::filesDropped(const QList<QUrl>& urls) {
    if (urls.isEmpty() || !urls.constFirst().isLocalFile())
        return;
    document_.sourcePath = toStd(urls.constFirst().toLocalFile());
    const std::string ext = tavlo::upperCased(tavlo::fileExtension(document_.sourcePath));
    if (ext != ".JPG" && ext != ".BMP") {
        dialogs_.message(this, fromStd(tavlo::unsupportedDropMessage(ext)));
        return;
    }
    loadImageFile();
}

} // namespace tavlo
