#include "file_pane.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace tavlo {

namespace {

constexpr int kPaneWidth = 150;
constexpr int kBorderWidth = 2;
constexpr int kTreeHeight = 198;
constexpr int kSplitterWidth = 4;
constexpr int kSelectorPanelHeight = 20;
constexpr int kSelectorWidth = 144;
constexpr int kListItemHeight = 12;

// Rows are 12 pixels high rather than the style's roomier ones, but never lower than the font's
// line: a lower row cuts off the underscores of the file names.
class CompactRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(),
                std::max(kListItemHeight, option.fontMetrics.height())};
    }
};

} // namespace

FilePane::FilePane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel1"));

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setOption(QFileSystemModel::DontWatchForChanges);
    folders_->setRootPath(QDir::rootPath());

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter2"));
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setChildrenCollapsible(false);

    panel4_ = new QWidget(splitter);
    panel4_->setObjectName(QStringLiteral("Panel4"));
    folderTree = new QTreeView(panel4_);
    folderTree->setObjectName(QStringLiteral("ShellTreeView1"));
    folderTree->setModel(folders_);
    folderTree->setIndentation(19);
    folderTree->setHeaderHidden(true);
    // Deep folders scroll sideways instead of having their names cut short.
    folderTree->header()->setStretchLastSection(false);
    folderTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (int column = 1; column < folders_->columnCount(); ++column)
        folderTree->hideColumn(column);
    auto* treeLayout = new QVBoxLayout(panel4_);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeLayout->addWidget(folderTree);

    auto* lower = new QWidget(splitter);
    auto* panel7 = new QWidget(lower);
    panel7->setObjectName(QStringLiteral("Panel7"));
    panel7->setFixedHeight(kSelectorPanelHeight);
    fileTypeChooser = new QComboBox(panel7);
    fileTypeChooser->setObjectName(QStringLiteral("FilterComboBox1"));
    fileTypeChooser->setGeometry(0, 0, kSelectorWidth, kSelectorPanelHeight);
    fileTypeChooser->addItem(QStringLiteral("JPGファイル(*.jpg)"), QStringLiteral("*.jpg"));
    fileTypeChooser->addItem(QStringLiteral("BMPファイル(*.bmp)"), QStringLiteral("*.bmp"));

    fileList = new QListWidget(lower);
    fileList->setObjectName(QStringLiteral("FileListBox1"));
    fileList->setItemDelegate(new CompactRowDelegate(fileList));
    fileList->setUniformItemSizes(true);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(0);
    lowerLayout->addWidget(panel7);
    lowerLayout->addWidget(fileList);

    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({kTreeHeight, kTreeHeight});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    layout->addWidget(splitter);

    connect(folderTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FilePane::onFolderChosen);
    connect(fileTypeChooser, &QComboBox::currentIndexChanged, this, &FilePane::onFileTypeChosen);
    // A selection, not the current row: focusing the list by the keyboard makes its first row
    // current without selecting it, and that must not load a file.
    connect(fileList, &QListWidget::itemSelectionChanged, this, &FilePane::onFileClicked);
}

QSize FilePane::sizeHint() const {
    return {kPaneWidth, QWidget::sizeHint().height()};
}

bool FilePane::selectFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir()) return false;
    const QModelIndex index = folders_->index(info.absoluteFilePath());
    if (!index.isValid()) return false;
    // The model fills its folders lazily, so the list is read here rather than waiting for them.
    folder_ = folders_->filePath(index);
    readFolder();
    folderTree->setCurrentIndex(index);
    folderTree->scrollTo(index);
    return true;
}

QString FilePane::currentFolder() const {
    return folder_;
}

QStringList FilePane::listedFiles() const {
    const QDir dir(folder_);
    QStringList paths;
    for (int row = 0; row < fileList->count(); ++row)
        paths << dir.filePath(fileList->item(row)->text());
    return paths;
}

void FilePane::followWidth() {
    fileTypeChooser->setFixedWidth(panel4_->width());
}

void FilePane::onFileTypeChosen() {
    readFolder();
}

void FilePane::onFolderChosen() {
    const QString path = folders_->filePath(folderTree->currentIndex());
    if (path.isEmpty() || path == folder_) return;
    folder_ = path;
    readFolder();
}

void FilePane::onFileClicked() {
    const QList<QListWidgetItem*> selected = fileList->selectedItems();
    if (selected.isEmpty()) return;
    emit fileChosen(QDir(folder_).filePath(selected.first()->text()));
}

void FilePane::readFolder() {
    fileList->clear();
    if (folder_.isEmpty()) return;
    // QDir matches name filters without regard to case, so "*.jpg" also finds "A.JPG".
    const QString mask = fileTypeChooser->currentData().toString();
    fileList->addItems(QDir(folder_).entryList({mask}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

} // namespace tavlo
