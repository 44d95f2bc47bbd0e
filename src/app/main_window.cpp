#include "app/main_window.h"

#include "widgets/busy_cursor.h"
#include "app/file_pane.h"
#include "widgets/view_image.h"
#include "widgets/clipboard.h"
#include "app/file_info_window.h"
#include "app/jpeg_quality_dialog.h"

#include <QApplication>
#include <QDir>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>

namespace {

// The view sits 2 pixels from the top and from the pane.
constexpr int kViewMargin = 2;
constexpr int kPanelWidths[tavlo::kStatusPanelCount] = {70, 70, 120, 120, 140, 50, 120, 70, 120};

QString fromStd(const std::string& text) { return QString::fromStdString(text); }
std::string toStd(const QString& text) { return text.toStdString(); }

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

    Panel1 = new FilePane;
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setContentsMargins(kViewMargin, kViewMargin, 0, 0);
    viewArea_ = new QScrollArea;
    viewArea_->setWidget(Image1);
    viewArea_->setWidgetResizable(false);
    viewArea_->setBackgroundRole(QPalette::Window);
    viewArea_->setFrameShape(QFrame::NoFrame);
    Splitter3 = new QSplitter(Qt::Horizontal);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    Splitter3->setHandleWidth(4);
    Splitter3->addWidget(Panel1);
    Splitter3->addWidget(viewArea_);
    Splitter3->setStretchFactor(1, 1);
    Splitter3->setSizes({150, 1000});
    setCentralWidget(Splitter3);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    connectHandlers();

    // The creation steps, in their order.
    document_.displayScale = 1;
    ShowBrowserPane(true);
    L2->setChecked(true);
    for (QMenu* menu : {B3, D1, S2, R1, H2, C2, T3})
        menu->setEnabled(false);
    H4->setEnabled(false);
    F1->setEnabled(false);
    F1->setChecked(false);
    Panel1->FilterComboBox1Change();
    refreshPasteItem();
    document_.jpegQuality = tavlo::kJpegQuality.defaultValue;
    chooseBmpFormat(N24C1, tavlo::PixelFormat::Bit24);
    document_.operationParams[1] = 0;
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
        if (LoadImageFile())
            Timer1->start(100);
    } else {
        // Started from a menu or a shell: the pane opens on the folder it was started in.
        Panel1->selectFolder(QDir::currentPath());
    }
    document_.startupLoad = 0;
}

void MainWindow::attachWindows(FileInfoWindow* fileInfo, JpegQualityDialog* jpegQuality) {
    fileInfoWindow = fileInfo;
    jpegQualityDialog = jpegQuality;
    connect(fileInfoWindow, &FileInfoWindow::closedByUser, this, [this] { F1->setChecked(false); });
}

void MainWindow::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(24);
    bar->setSizeGripEnabled(false);
    bar->setStyleSheet(QStringLiteral("QStatusBar { background: rgb(192, 220, 192); }"
                                      "QStatusBar::item { border: 1px solid gray; }"));
    for (int i = 0; i < tavlo::kStatusPanelCount; ++i) {
        panels_[i] = new QLabel(fromStd(document_.panels[i]));
        panels_[i]->setMinimumWidth(kPanelWidths[i]);
        panels_[i]->setAlignment(i == 8 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        // The last panel takes the rest of the bar, so the quality text is never cut off.
        bar->addWidget(panels_[i], i == 8 ? 1 : 0);
        if (i != 8)
            panels_[i]->setMaximumWidth(kPanelWidths[i]);
    }
}

void MainWindow::connectHandlers() {
    connect(Open1, &QAction::triggered, this, &MainWindow::Open1Click);
    connect(BMPP1, &QAction::triggered, this, &MainWindow::BMPP1Click);
    connect(S1, &QAction::triggered, this, &MainWindow::S1Click);
    connect(BMPT1, &QAction::triggered, this, &MainWindow::BMPT1Click);
    connect(JPEGU1, &QAction::triggered, this, &MainWindow::JPEGU1Click);
    connect(BMPV1, &QAction::triggered, this, &MainWindow::BMPV1Click);
    connect(X1, &QAction::triggered, this, &MainWindow::X1Click);
    connect(F1, &QAction::triggered, this, &MainWindow::F1Click);
    connect(L2, &QAction::triggered, this, &MainWindow::L2Click);
    connect(JPGJ1, &QAction::triggered, this, [this] {
        if (jpegQualityDialog)
            jpegQualityDialog->show();
    });
    connect(A2, &QAction::triggered, this, [this] { chooseBmpFormat(A2, tavlo::PixelFormat::Bit8); });
    connect(N24C1, &QAction::triggered, this,
            [this] { chooseBmpFormat(N24C1, tavlo::PixelFormat::Bit24); });
    connect(N32D1, &QAction::triggered, this,
            [this] { chooseBmpFormat(N32D1, tavlo::PixelFormat::Bit32); });
    connect(O1, &QAction::triggered, this, &MainWindow::O1Click);
    connect(C1, &QAction::triggered, this, &MainWindow::C1Click);
    connect(P2, &QAction::triggered, this, &MainWindow::P2Click);
    connect(T2, &QAction::triggered, this, &MainWindow::T2Click);
    const std::pair<QAction*, int> scales[] = {
        {FULLF1, 1}, {N12H1, 2}, {N13T1, 3}, {N14Q1, 4}, {N18E1, 8}};
    for (const auto& [action, scale] : scales)
        connect(action, &QAction::triggered, this, [this, scale = scale] { SetDisplayScale(scale); });
    connect(Show1, &QMenu::aboutToShow, this, &MainWindow::Show1Click);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1TimeUP);
    connect(Panel1, &FilePane::fileChosen, this, [this](const QString& path) {
        document_.sourcePath = toStd(path);
        LoadImageFile();
    });
    connect(Splitter3, &QSplitter::splitterMoved, this, [this] {
        Panel1->followWidth();
        ShowBrowserPane(true);
    });
    channel_.setHandler(tavlo::CommandEdit::Quality,
                        [this](std::int64_t value) { Edit1Change(value); });
}

bool MainWindow::LoadImageFile() {
    if (document_.modified) {
        const auto answer = dialogs_.confirm(
            this, fromStd(tavlo::savePromptText(document_.currentFileName)), true);
        if (answer == DialogService::Answer::Yes)
            saveAsForPrompt();
        if (answer != DialogService::Answer::No)
            return true;
    }
    BusyCursor busy;
    const QFileInfo file(fromStd(document_.sourcePath));
    if (!Panel1->selectFolder(file.absolutePath())) {
        dialogs_.reportError(this, file.absolutePath() + QStringLiteral(" を開けません。"));
        return false;
    }
    const tavlo::LoadOutcome outcome = document_.loadImageFile();
    switch (outcome) {
    case tavlo::LoadOutcome::Loaded:
        checkScaleItem();
        enableImageMenus();
        break;
    case tavlo::LoadOutcome::InvalidImage:
        Image1->clear(); // the previous image comes back at the next refresh
        break;
    case tavlo::LoadOutcome::CannotRead:
        dialogs_.reportError(this, fromStd(document_.error));
        break;
    case tavlo::LoadOutcome::RefusedExtension: break;
    }
    if (outcome == tavlo::LoadOutcome::Loaded)
        showDocument();
    else
        for (int i = 0; i < tavlo::kStatusPanelCount; ++i)
            panels_[i]->setText(fromStd(document_.panels[i]));
    if (fileInfoWindow && document_.startupLoad <= 0)
        fileInfoWindow->showTexts(document_.information);
    if (outcome == tavlo::LoadOutcome::Loaded)
        emit imageLoaded();
    return outcome != tavlo::LoadOutcome::CannotRead;
}

void MainWindow::SetDisplayScale(int scale) {
    document_.setDisplayScale(scale);
    checkScaleItem();
    showDocument();
    QApplication::restoreOverrideCursor();
}

tavlo::OperationStatus MainWindow::runOperation(
    const std::function<tavlo::OperationStatus(tavlo::Document&)>& steps) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tavlo::OperationStatus status = tavlo::OperationStatus::Done;
    try {
        status = steps(document_);
    } catch (const tavlo::EEmbossError& error) {
        QApplication::restoreOverrideCursor();
        dialogs_.reportError(this, QString::fromUtf8(error.what()));
        return tavlo::OperationStatus::UnsupportedFormat;
    }
    if (status == tavlo::OperationStatus::UnsupportedFormat)
        showUnsupportedFormat();
    refresh();
    return status;
}

void MainWindow::showUnsupportedFormat() {
    dialogs_.message(this, fromStd(std::string(tavlo::kUnsupportedFormatMessage)));
}

void MainWindow::checkScaleItem() {
    const std::pair<QAction*, int> items[] = {
        {FULLF1, 1}, {N12H1, 2}, {N13T1, 3}, {N14Q1, 4}, {N18E1, 8}};
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
    viewPixmap_ = QPixmap::fromImage(viewImage(document_.scratchImage));
    Image1->setPixmap(viewPixmap_);
    Image1->resize(document_.viewWidth + kViewMargin, document_.viewHeight + kViewMargin);
}

void MainWindow::enableImageMenus() {
    for (QMenu* menu : {B3, D1, S2, R1, H2, C2, T3})
        menu->setEnabled(true);
    for (QAction* action : {H4, F1, S1, BMPT1, JPEGU1, BMPV1, P1, C1})
        action->setEnabled(true);
}

void MainWindow::refreshPasteItem() { P2->setEnabled(clipboardHasBitmap()); }

void MainWindow::C1Click() { copyToClipboard(document_.workImage); }

void MainWindow::P2Click() {
    std::optional<tavlo::Bitmap> pasted = bitmapFromClipboard();
    if (!pasted) {
        dialogs_.message(this, QStringLiteral("クリップボードは空っぽです。"));
        return;
    }
    document_.paste(std::move(*pasted));
    checkScaleItem();
    showDocument();
    for (QMenu* menu : {B3, D1, S2, R1, H2})
        menu->setEnabled(true);
    for (QAction* action : {H4, S1, BMPT1, JPEGU1, BMPV1, P1, C1})
        action->setEnabled(true);
    F1->setEnabled(false);
    F1->setChecked(false);
    if (fileInfoWindow)
        fileInfoWindow->hide();
}

void MainWindow::Open1Click() {
    openThroughDialog(QStringLiteral("JPGファイルを開く"), QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.JPG"));
}

void MainWindow::BMPP1Click() {
    openThroughDialog(QStringLiteral("BMPファイルを開く"), QStringLiteral("BMPﾌｧｲﾙ(*.BMP)|*.BMP"));
}

void MainWindow::openThroughDialog(const QString& title, const QString& filter) {
    const auto path = dialogs_.openImage(this, title, filter);
    if (!path)
        return;
    document_.sourcePath = toStd(*path);
    LoadImageFile();
}

bool MainWindow::S1Click() { return saveThroughDialog(true, false); }
bool MainWindow::BMPT1Click() { return saveThroughDialog(false, false); }
bool MainWindow::JPEGU1Click() { return saveThroughDialog(true, true); }
bool MainWindow::BMPV1Click() { return saveThroughDialog(false, true); }

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
    const tavlo::SaveOutcome outcome =
        jpeg ? document_.saveJpeg(toStd(*path)) : document_.saveBmp(toStd(*path));
    switch (outcome) {
    case tavlo::SaveOutcome::Saved: return true;
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
    return document_.currentExt == ".JPG" ? JPEGU1Click() : BMPV1Click();
}

void MainWindow::X1Click() {
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

void MainWindow::F1Click() {
    if (!fileInfoWindow)
        return;
    if (!F1->isChecked() || document_.noSourceFile)
        fileInfoWindow->hide();
    else
        fileInfoWindow->show();
}

void MainWindow::L2Click() { ShowBrowserPane(L2->isChecked()); }

// The splitter keeps the view beside the pane, or at the left edge while the pane is hidden.
void MainWindow::ShowBrowserPane(bool visible) { Panel1->setVisible(visible); }

void MainWindow::chooseBmpFormat(QAction* item, tavlo::PixelFormat format) {
    document_.setBmpSaveFormat(format);
    for (QAction* action : {A2, N24C1, N32D1})
        action->setChecked(action == item);
    panels_[8]->setText(fromStd(document_.panels[8]));
}

void MainWindow::O1Click() {
    document_.undo();
    SetDisplayScale(document_.displayScale);
}

void MainWindow::T2Click() {
    if (!document_.noSourceFile) {
        LoadImageFile();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    document_.undo();
    SetDisplayScale(document_.displayScale);
}

void MainWindow::Show1Click() { refreshPasteItem(); }

void MainWindow::mousePressEvent(QMouseEvent* event) {
    refreshPasteItem();
    QMainWindow::mousePressEvent(event);
}

void MainWindow::Timer1TimeUP() {
    document_.startupLoad = 0;
    LoadImageFile();
}

void MainWindow::Edit1Change(std::int64_t) {
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
    LoadImageFile();
}
