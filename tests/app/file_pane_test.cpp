#include "app/file_pane.h"
#include "app/folder_tree_model.h"

#include "child_process.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tavlo;

class FilePaneTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void listsTheMaskedFilesWithoutRegardToCase();
    void choosingAFileReportsItsFullPath();
    void treeAndSelectFolderMoveTheList();
    void unusableFoldersKeepTheList();
    void unreadableFolderShowsNothing();
    void startingLayoutAndFollowWidth();
    void theMarkStaysOnTheShownFile();
    void placesAtTheTopWithIcons();
    void aFolderIsFoundUnderItsClosestPlace_data();
    void aFolderIsFoundUnderItsClosestPlace();
    void openingAFolderAgainShowsWhatItHoldsNow();

  private:
    QString path(const QString& name) const { return dir_->filePath(name); }
    void clickRow(int row);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FilePane> pane_;
};

void FilePaneTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    for (const char* name : {"a.JPG", "b.jpg", "c.bmp", "d.txt", "sub/e.jpg"}) {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    // A folder whose name fits the mask is still no file.
    QVERIFY(QDir().mkpath(path("folder.jpg")));
    pane_ = std::make_unique<FilePane>();
    pane_->resize(150, 500);
    pane_->show();
    QVERIFY(QTest::qWaitForWindowExposed(pane_.get()));
}

void FilePaneTest::cleanup() {
    pane_.reset();
    dir_.reset();
}

void FilePaneTest::clickRow(int row) {
    QListWidget* list = pane_->fileList;
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void FilePaneTest::listsTheMaskedFilesWithoutRegardToCase() {
    QVERIFY(pane_->selectFolder(dir_->path()));
    QCOMPARE(pane_->currentFolder(), dir_->path());
    QCOMPARE(pane_->fileTypeChooser->currentText(), QStringLiteral("JPGファイル(*.jpg)"));
    QCOMPARE(pane_->listedFiles(), QStringList({path("a.JPG"), path("b.jpg")}));

    pane_->fileTypeChooser->setCurrentIndex(1);
    QCOMPARE(pane_->fileTypeChooser->currentText(), QStringLiteral("BMPファイル(*.bmp)"));
    QCOMPARE(pane_->listedFiles(), QStringList({path("c.bmp")}));

    pane_->fileTypeChooser->setCurrentIndex(0);
    QCOMPARE(pane_->listedFiles(), QStringList({path("a.JPG"), path("b.jpg")}));
}

void FilePaneTest::choosingAFileReportsItsFullPath() {
    QSignalSpy chosen(pane_.get(), &FilePane::fileChosen);
    // As the window does once the chosen file is loaded.
    connect(pane_.get(), &FilePane::fileChosen, pane_.get(),
            [this](const QString& file) { pane_->showFile(file); });
    QVERIFY(pane_->selectFolder(dir_->path()));
    QCOMPARE(chosen.count(), 0); // showing a folder loads nothing

    clickRow(0);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.last().first().toString(), path("a.JPG"));

    QTest::keyClick(pane_->fileList, Qt::Key_Down);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen.last().first().toString(), path("b.jpg"));

    // At the end of the list the selection stays, and so does the image.
    QTest::keyClick(pane_->fileList, Qt::Key_Down);
    QCOMPARE(chosen.count(), 2);

    // Re-reading the folder for another mask clears the selection without loading anything.
    pane_->fileTypeChooser->setCurrentIndex(1);
    QCOMPARE(chosen.count(), 2);
    clickRow(0);
    QCOMPARE(chosen.last().first().toString(), path("c.bmp"));
}

void FilePaneTest::treeAndSelectFolderMoveTheList() {
    QVERIFY(pane_->selectFolder(dir_->path()));
    QVERIFY(pane_->selectFolder(path("sub")));
    QCOMPARE(pane_->currentFolder(), path("sub"));
    QCOMPARE(pane_->listedFiles(), QStringList({path("sub/e.jpg")}));
    auto* model = qobject_cast<FolderTreeModel*>(pane_->folderTree->model());
    QVERIFY(model);
    QCOMPARE(model->filePath(pane_->folderTree->currentIndex()), path("sub"));

    // A folder picked in the tree itself.
    pane_->folderTree->setCurrentIndex(model->indexOf(dir_->path()));
    QCOMPARE(pane_->currentFolder(), dir_->path());
    QCOMPARE(pane_->listedFiles(), QStringList({path("a.JPG"), path("b.jpg")}));

    // No folder selected: the list stays.
    pane_->folderTree->setCurrentIndex({});
    QCOMPARE(pane_->currentFolder(), dir_->path());
    QCOMPARE(pane_->fileList->count(), 2);
}

void FilePaneTest::unusableFoldersKeepTheList() {
    QVERIFY(pane_->selectFolder(dir_->path()));
    const QStringList before = pane_->listedFiles();

    QVERIFY(!pane_->selectFolder(path("missing")));
    QVERIFY(!pane_->selectFolder(path("b.jpg")));
    QVERIFY(!pane_->selectFolder(QString()));
    QCOMPARE(pane_->currentFolder(), dir_->path());
    QCOMPARE(pane_->listedFiles(), before);
}

void FilePaneTest::unreadableFolderShowsNothing() {
    const QString locked = path("sub");
    QVERIFY(QFile::setPermissions(locked, QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(pane_->selectFolder(dir_->path()));
    QVERIFY(pane_->selectFolder(locked));
    QCOMPARE(pane_->fileList->count(), 0);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void FilePaneTest::startingLayoutAndFollowWidth() {
    QCOMPARE(static_cast<QWidget*>(pane_.get())->sizeHint().width(), 150);
    auto* panel4 = pane_->findChild<QWidget*>(QStringLiteral("Panel4"));
    QVERIFY(panel4);
    QCOMPARE(panel4->height(), 198);
    QCOMPARE(pane_->fileTypeChooser->size(), QSize(144, 20));

    pane_->resize(260, 500);
    QTRY_COMPARE(panel4->width(), 256);
    pane_->followWidth();
    QCOMPARE(pane_->fileTypeChooser->width(), 256);
}

// A choice that loaded nothing, a switch of the file type and a file saved into the folder all
// leave the shown file marked; the saved file is listed without a new load.
void FilePaneTest::theMarkStaysOnTheShownFile() {
    QSignalSpy chosen(pane_.get(), &FilePane::fileChosen); // and nothing loads
    QVERIFY(pane_->showFile(path("a.JPG")));
    QListWidget* list = pane_->fileList;
    const auto marked = [list] {
        return list->selectedItems().size() == 1 ? list->selectedItems().first()->text()
                                                 : QString();
    };
    QCOMPARE(marked(), QStringLiteral("a.JPG"));
    for (int click = 1; click <= 2; ++click) {
        clickRow(1);
        QCOMPARE(chosen.size(), click);
        QCOMPARE(chosen.last().first().toString(), path("b.jpg"));
        QCOMPARE(marked(), QStringLiteral("a.JPG"));
    }
    pane_->fileTypeChooser->setCurrentIndex(1);
    QCOMPARE(marked(), QString());
    pane_->fileTypeChooser->setCurrentIndex(0);
    QCOMPARE(marked(), QStringLiteral("a.JPG"));

    QFile saved(path("0.jpg"));
    QVERIFY(saved.open(QIODevice::WriteOnly));
    saved.close();
    QTRY_COMPARE(pane_->listedFiles(), QStringList({path("0.jpg"), path("a.JPG"), path("b.jpg")}));
    QCOMPARE(marked(), QStringLiteral("a.JPG"));
    QCOMPARE(chosen.size(), 2);
}

void FilePaneTest::placesAtTheTopWithIcons() {
    const QAbstractItemModel* model = pane_->folderTree->model();
    QVERIFY(!pane_->folderTree->rootIndex().isValid());
    const int places = model->rowCount();
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("ホーム"));
    QCOMPARE(model->index(0, 0).data(Qt::ToolTipRole).toString(), QDir::homePath());
    QCOMPARE(model->index(places - 1, 0).data().toString(), QDir::rootPath());
    const QModelIndex usr = model->index(places - 1, 0).model()->index(0, 0);
    QVERIFY(usr.isValid());
    for (const QModelIndex& row : {model->index(0, 0), model->index(places - 1, 0)})
        QVERIFY(!qvariant_cast<QIcon>(row.data(Qt::DecorationRole)).isNull());
}

// Rows: the folder asked for, below the temporary folder ("" for none), and the path from the
// top of the tree by which it is found.
void FilePaneTest::aFolderIsFoundUnderItsClosestPlace_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("in pictures") << "home/pics/2026" << QStringList{"Pictures", "2026"};
    QTest::newRow("pictures") << "home/pics" << QStringList{"Pictures"};
    QTest::newRow("in home") << "home/docs" << QStringList{"ホーム", "docs"};
    QTest::newRow("hidden") << "home/.cache/x" << QStringList{"ホーム", ".cache", "x"};
    QTest::newRow("elsewhere") << "other" << QStringList{"/"};
    QTest::newRow("a file") << "home/docs/f.jpg" << QStringList{};
    QTest::newRow("missing") << "home/none" << QStringList{};
}

void FilePaneTest::aFolderIsFoundUnderItsClosestPlace() {
    QFETCH(QString, folder);
    QFETCH(QStringList, names);
    for (const char* made : {"home/pics/2026", "home/docs", "home/.cache/x", "home/a", "other"})
        QVERIFY(QDir().mkpath(path(made)));
    QFile(path("home/docs/f.jpg")).open(QIODevice::WriteOnly);
    FolderTreeModel model({{QStringLiteral("ホーム"), path("home"), {}},
                           {QStringLiteral("Pictures"), path("home/pics"), {}},
                           {QDir::rootPath(), QDir::rootPath(), {}}});
    const QModelIndex found = model.indexOf(path(folder));
    if (names.isEmpty()) {
        QVERIFY(!found.isValid());
        return;
    }
    QCOMPARE(model.filePath(found), QDir::cleanPath(path(folder)));
    QStringList chain;
    for (QModelIndex at = found; at.isValid(); at = at.parent())
        chain.prepend(at.data().toString());
    if (names.first() == QDir::rootPath()) chain = chain.mid(0, 1);
    QCOMPARE(chain, names);
    // Siblings stay sorted, a hidden folder found on the way included.
    const QModelIndex parent = found.parent();
    for (int row = 1; row < model.rowCount(parent) && parent.isValid(); ++row)
        QVERIFY(model.index(row - 1, 0, parent)
                    .data()
                    .toString()
                    .compare(model.index(row, 0, parent).data().toString(), Qt::CaseInsensitive) <=
                0);
}

void FilePaneTest::openingAFolderAgainShowsWhatItHoldsNow() {
    for (const char* made : {"top/b", "top/d", "top/.seen"})
        QVERIFY(QDir().mkpath(path(made)));
    FolderTreeModel model({{QStringLiteral("top"), path("top"), {}}});
    QVERIFY(model.indexOf(path("top/.seen")).isValid());
    QVERIFY(QDir(path("top/b")).removeRecursively());
    for (const char* made : {"top/a", "top/c", "top/e"})
        QVERIFY(QDir().mkpath(path(made)));
    const QModelIndex top = model.index(0, 0);
    model.reread(top);
    QStringList names;
    for (int row = 0; row < model.rowCount(top); ++row) {
        const QModelIndex child = model.index(row, 0, top);
        QCOMPARE(child.parent(), top);
        names << child.data().toString();
    }
    QCOMPARE(names, QStringList({".seen", "a", "c", "d", "e"}));
}

int main(int argc, char** argv) {
    return runAsNobodyUnderRoot<FilePaneTest>(argc, argv);
}

#include "file_pane_test.moc"
