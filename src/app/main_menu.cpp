// The main window's menu bar: every item with its name, caption, separators and start state.
#include "app/main_window.h"

#include "filters/filter_entries.h"
#include "geometry/geometry_entries.h"
#include "tone/tone_entries.h"
#include "widgets/dialog_controls.h"

#include <QApplication>
#include <QMenuBar>

namespace tavlo {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

QAction* item(QMenu* menu, const MenuItemText& text) {
    return item(menu, text.objectName, fromUtf8(text.caption));
}

QAction* checkItem(QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
    QAction* action = item(menu, name, caption, enabled);
    action->setCheckable(true);
    return action;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QMenu* submenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

} // namespace

QAction* MainWindow::menuAction(const MenuItemText& text) const {
    return menuBar()->findChild<QAction*>(QString::fromLatin1(text.objectName));
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    // The bar keeps the menus' own background: on the window's silver the style's grey for a
    // disabled title would all but vanish.
    QPalette barColours = bar->palette();
    barColours.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    bar->setPalette(barColours);

    fileMenu = menu(bar, "File1", QStringLiteral("ファイル(&F)"));
    openJpegAction = item(fileMenu, "Open1", QStringLiteral("JPGﾌｧｲﾙを開く(&O)"));
    openBmpAction = item(fileMenu, "BMPP1", QStringLiteral("BMPﾌｧｲﾙを開く(&P)"));
    fileMenu->addSeparator();
    saveJpegAction = item(fileMenu, "S1", QStringLiteral("JPGﾌｧｲﾙで上書き保存する(&S)"), false);
    saveBmpAction = item(fileMenu, "BMPT1", QStringLiteral("BMPﾌｧｲﾙで上書き保存する(&T)"), false);
    fileMenu->addSeparator();
    saveJpegAsAction = item(fileMenu, "JPEGU1", QStringLiteral("JPGﾌｧｲﾙで別名保存する(&U)"), false);
    saveBmpAsAction = item(fileMenu, "BMPV1", QStringLiteral("BMPﾌｧｲﾙで別名保存する(&V)"), false);
    fileMenu->addSeparator();
    printAction = item(fileMenu, "P1", QStringLiteral("画像印刷(&P)"), false);
    fileMenu->addSeparator();
    quitAction = item(fileMenu, "X1", QStringLiteral("終了(&X)"));

    settingsMenu = menu(bar, "Show1", QStringLiteral("設定・表示(&I)"));
    fileInfoAction = checkItem(settingsMenu, "F1", QStringLiteral("ﾌｧｲﾙ情報(&F)"));
    histogramAction = checkItem(settingsMenu, "H4", QStringLiteral("ﾋｽﾄｸﾞﾗﾑ(&H)"));
    fileListAction = checkItem(settingsMenu, "L2", QStringLiteral("ﾌｧｲﾙﾘｽﾄ(&L)"));
    settingsMenu->addSeparator();
    jpegQualityAction = item(settingsMenu, "JPGJ1", QStringLiteral("JPG圧縮度合(&J)"));
    saveMetadataAction = checkItem(settingsMenu, "MetadataM1", QStringLiteral("ﾒﾀﾃﾞｰﾀを保存(&M)"));
    saveMetadataAction->setChecked(true);
    bmpFormatMenu = submenu(settingsMenu, "BMPB1", QStringLiteral("BMPビット形式(&B)"));
    bmp8BitAction = checkItem(bmpFormatMenu, "A2", QStringLiteral("８ビット(&A)"));
    bmp24BitAction = checkItem(bmpFormatMenu, "N24C1", QStringLiteral("24ビット(&C)"));
    bmp32BitAction = checkItem(bmpFormatMenu, "N32D1", QStringLiteral("32ビット(&D)"));
    settingsMenu->addSeparator();
    copyAction = item(settingsMenu, "C1", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&C)"), false);
    pasteAction = item(settingsMenu, "P2", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)"));

    undoMenu = menu(bar, "B3", QStringLiteral("戻る(&B)"));
    undoAction = item(undoMenu, "O1", QStringLiteral("戻る(&O)"));
    revertAction = item(undoMenu, "T2", QStringLiteral("最初に戻る(&T)"));

    scaleMenu = menu(bar, "D1", QStringLiteral("表示スケール(&D)"));
    scaleFullAction = checkItem(scaleMenu, "FULLF1", QStringLiteral("FULL(&F)"));
    scaleHalfAction = checkItem(scaleMenu, "N12H1", QStringLiteral("1/2(&H)"));
    scaleThirdAction = checkItem(scaleMenu, "N13T1", QStringLiteral("1/3(&T)"));
    scaleQuarterAction = checkItem(scaleMenu, "N14Q1", QStringLiteral("1/4(&Q)"));
    scaleEighthAction = checkItem(scaleMenu, "N18E1", QStringLiteral("1/8(&E)"));

    sizeMenu = menu(bar, "S2", QStringLiteral("サイズ変更(&S)"));
    sizeOriginalAction = item(sizeMenu, kShrinkMenuItems[0].item);
    sizeHalfAction = item(sizeMenu, kShrinkMenuItems[1].item);
    sizeQuarterAction = item(sizeMenu, kShrinkMenuItems[2].item);
    sizeEighthAction = item(sizeMenu, kShrinkMenuItems[3].item);
    sizeMenu->addSeparator();
    sizeCustomAction = item(sizeMenu, kResizeMenuItems[0].item);

    trimMenu = menu(bar, "T3", QStringLiteral("トリミング(&T)"));
    wallpaperAction = item(trimMenu, kWallpaperMenuItems[0].item);
    trimMenu->addSeparator();
    trimAction = item(trimMenu, kTrimMenuItems[0].item);

    rotateMenu = menu(bar, "R1", QStringLiteral("回転(&R)"));
    rotateRightAction = item(rotateMenu, kTurnMenuItems[0].item);
    rotateLeftAction = item(rotateMenu, kTurnMenuItems[1].item);
    rotateHalfAction = item(rotateMenu, kTurnMenuItems[2].item);
    mirrorAction = item(rotateMenu, kTurnMenuItems[3].item);
    flipAction = item(rotateMenu, kTurnMenuItems[4].item);
    rotateMenu->addSeparator();
    rotateAngleAction = item(rotateMenu, kRotationMenuItems[0].item);

    deformMenu = menu(bar, "H2", QStringLiteral("変形(&H)"));
    keystoneBothAction = item(deformMenu, kKeystoneMenuItems[0].item);
    keystoneRightAction = item(deformMenu, kKeystoneMenuItems[1].item);
    keystoneLeftAction = item(deformMenu, kKeystoneMenuItems[2].item);
    shearAction = item(deformMenu, kShearMenuItems[0].item);

    colourMenu = menu(bar, "C2", QStringLiteral("カラー(&C)"));
    filterMenu = submenu(colourMenu, "F3", QStringLiteral("フィルター(&F)"));
    sharpenWeakAction = item(filterMenu, kFilterMenuItems[0].item);
    sharpenMediumAction = item(filterMenu, kFilterMenuItems[1].item);
    sharpenStrongAction = item(filterMenu, kFilterMenuItems[2].item);
    filterMenu->addSeparator();
    smoothWeakAction = item(filterMenu, kFilterMenuItems[3].item);
    smoothMediumAction = item(filterMenu, kFilterMenuItems[4].item);
    smoothStrongAction = item(filterMenu, kFilterMenuItems[5].item);
    medianAction = item(filterMenu, kMedianMenuItems[0].item);
    filterMenu->addSeparator();
    emboss1Action = item(filterMenu, kFilterMenuItems[6].item);
    emboss2Action = item(filterMenu, kFilterMenuItems[7].item);
    filterMenu->addSeparator();
    customFilterAction = item(filterMenu, kKernelMenuItems[0].item);
    toneCurveAction = item(colourMenu, kToneCurveMenuItems[0].item);
    colourToneAction = item(colourMenu, kColourToneMenuItems[0].item);
    contrastAction = item(colourMenu, kContrastMenuItems[0].item);
    vividnessAction = item(colourMenu, kVividnessMenuItems[0].item);
    gammaAction = item(colourMenu, kGammaMenuItems[0].item);
    equaliseAction = item(colourMenu, kEqualiseMenuItems[0].item);
    monochromeAction = item(colourMenu, kGreyMenuItems[0].item);

    helpMenu = menu(bar, "Help1", QStringLiteral("ヘルプ(&H)"));
    helpAction = item(helpMenu, "Help2", QStringLiteral("ヘルプ(&H)"));
    helpMenu->addSeparator();
    aboutAction = item(helpMenu, "About1", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"));
}

} // namespace tavlo
