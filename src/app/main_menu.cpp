// The main window's menu bar: every item with its name, caption, separators and start state.
#include "app/main_window.h"

#include "app/menu_items.h"
#include "widgets/dialog_controls.h"

#include <QApplication>
#include <QMenuBar>

namespace tavlo {

namespace {

QAction* item(QMenu* menu, const MenuItemText& text, bool enabled = true) {
    QAction* action = menu->addAction(fromUtf8(text.caption));
    action->setObjectName(QString::fromLatin1(text.objectName));
    action->setEnabled(enabled);
    return action;
}

QAction* checkItem(QMenu* menu, const MenuItemText& text) {
    QAction* action = item(menu, text);
    action->setCheckable(true);
    return action;
}

QMenu* topMenu(QMenuBar* bar, const MenuItemText& text) {
    QMenu* m = bar->addMenu(fromUtf8(text.caption));
    m->setObjectName(QString::fromLatin1(text.objectName));
    return m;
}

QMenu* submenu(QMenu* parent, const MenuItemText& text) {
    QMenu* m = parent->addMenu(fromUtf8(text.caption));
    m->setObjectName(QString::fromLatin1(text.objectName));
    return m;
}

} // namespace

QAction* MainWindow::menuAction(const MenuItemText& text) const {
    return menuBar()->findChild<QAction*>(QString::fromLatin1(text.objectName));
}

QMenu* MainWindow::menu(const MenuItemText& text) const {
    return menuBar()->findChild<QMenu*>(QString::fromLatin1(text.objectName));
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    // The bar keeps the menus' own background: on the window's silver the style's grey for a
    // disabled title would all but vanish.
    QPalette barColours = bar->palette();
    barColours.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    bar->setPalette(barColours);

    fileMenu = topMenu(bar, kFileMenu);
    openJpegAction = item(fileMenu, kOpenJpegItem);
    openBmpAction = item(fileMenu, kOpenBmpItem);
    fileMenu->addSeparator();
    saveJpegAction = item(fileMenu, kSaveJpegItem, false);
    saveBmpAction = item(fileMenu, kSaveBmpItem, false);
    fileMenu->addSeparator();
    saveJpegAsAction = item(fileMenu, kSaveJpegAsItem, false);
    saveBmpAsAction = item(fileMenu, kSaveBmpAsItem, false);
    fileMenu->addSeparator();
    printAction = item(fileMenu, kPrintItem, false);
    fileMenu->addSeparator();
    quitAction = item(fileMenu, kQuitItem);

    settingsMenu = topMenu(bar, kSettingsMenu);
    fileInfoAction = checkItem(settingsMenu, kFileInfoItem);
    histogramAction = checkItem(settingsMenu, kHistogramItem);
    fileListAction = checkItem(settingsMenu, kFileListItem);
    settingsMenu->addSeparator();
    jpegQualityAction = item(settingsMenu, kJpegQualityItem);
    saveMetadataAction = checkItem(settingsMenu, kSaveMetadataItem);
    saveMetadataAction->setChecked(true);
    bmpFormatMenu = submenu(settingsMenu, kBmpFormatMenu);
    bmp8BitAction = checkItem(bmpFormatMenu, kBmp8BitItem);
    bmp24BitAction = checkItem(bmpFormatMenu, kBmp24BitItem);
    bmp32BitAction = checkItem(bmpFormatMenu, kBmp32BitItem);
    settingsMenu->addSeparator();
    copyAction = item(settingsMenu, kCopyItem, false);
    pasteAction = item(settingsMenu, kPasteItem);

    undoMenu = topMenu(bar, kUndoMenu);
    undoAction = item(undoMenu, kUndoItem);
    revertAction = item(undoMenu, kRevertItem);

    scaleMenu = topMenu(bar, kScaleMenu);
    scaleFullAction = checkItem(scaleMenu, kScaleFullItem);
    scaleHalfAction = checkItem(scaleMenu, kScaleHalfItem);
    scaleThirdAction = checkItem(scaleMenu, kScaleThirdItem);
    scaleQuarterAction = checkItem(scaleMenu, kScaleQuarterItem);
    scaleEighthAction = checkItem(scaleMenu, kScaleEighthItem);
    scaleFitAction = checkItem(scaleMenu, kScaleFitItem);

    sizeMenu = topMenu(bar, kSizeMenu);
    sizeOriginalAction = item(sizeMenu, kSizeOriginalItem);
    sizeHalfAction = item(sizeMenu, kSizeHalfItem);
    sizeQuarterAction = item(sizeMenu, kSizeQuarterItem);
    sizeEighthAction = item(sizeMenu, kSizeEighthItem);
    sizeMenu->addSeparator();
    sizeCustomAction = item(sizeMenu, kSizeCustomItem);

    trimMenu = topMenu(bar, kTrimMenu);
    wallpaperAction = item(trimMenu, kWallpaperItem);
    trimMenu->addSeparator();
    trimAction = item(trimMenu, kTrimItem);

    rotateMenu = topMenu(bar, kRotateMenu);
    rotateRightAction = item(rotateMenu, kRotateRightItem);
    rotateLeftAction = item(rotateMenu, kRotateLeftItem);
    rotateHalfAction = item(rotateMenu, kRotateHalfItem);
    mirrorAction = item(rotateMenu, kMirrorItem);
    flipAction = item(rotateMenu, kFlipItem);
    rotateMenu->addSeparator();
    rotateAngleAction = item(rotateMenu, kRotateAngleItem);

    deformMenu = topMenu(bar, kDeformMenu);
    keystoneBothAction = item(deformMenu, kKeystoneBothItem);
    keystoneRightAction = item(deformMenu, kKeystoneRightItem);
    keystoneLeftAction = item(deformMenu, kKeystoneLeftItem);
    shearAction = item(deformMenu, kShearItem);

    colourMenu = topMenu(bar, kColourMenu);
    filterMenu = submenu(colourMenu, kFilterMenu);
    sharpenWeakAction = item(filterMenu, kSharpenWeakItem);
    sharpenMediumAction = item(filterMenu, kSharpenMediumItem);
    sharpenStrongAction = item(filterMenu, kSharpenStrongItem);
    filterMenu->addSeparator();
    smoothWeakAction = item(filterMenu, kSmoothWeakItem);
    smoothMediumAction = item(filterMenu, kSmoothMediumItem);
    smoothStrongAction = item(filterMenu, kSmoothStrongItem);
    medianAction = item(filterMenu, kMedianItem);
    filterMenu->addSeparator();
    emboss1Action = item(filterMenu, kEmboss1Item);
    emboss2Action = item(filterMenu, kEmboss2Item);
    filterMenu->addSeparator();
    customFilterAction = item(filterMenu, kCustomFilterItem);
    toneCurveAction = item(colourMenu, kToneCurveItem);
    colourToneAction = item(colourMenu, kColourToneItem);
    contrastAction = item(colourMenu, kContrastItem);
    vividnessAction = item(colourMenu, kVividnessItem);
    gammaAction = item(colourMenu, kGammaItem);
    equaliseAction = item(colourMenu, kEqualiseItem);
    monochromeAction = item(colourMenu, kMonochromeItem);

    helpMenu = topMenu(bar, kHelpMenu);
    helpAction = item(helpMenu, kHelpItem);
    helpMenu->addSeparator();
    aboutAction = item(helpMenu, kAboutItem);
}

} // namespace tavlo
