// The main window's menu bar: every item with its name, caption, separators and start state.
#include "app/main_window.h"

#include <QMenuBar>

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
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

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();

    File1 = menu(bar, "File1", QStringLiteral("ファイル(&F)"));
    Open1 = item(File1, "Open1", QStringLiteral("JPGﾌｧｲﾙを開く(&O)"));
    BMPP1 = item(File1, "BMPP1", QStringLiteral("BMPﾌｧｲﾙを開く(&P)"));
    File1->addSeparator();
    S1 = item(File1, "S1", QStringLiteral("JPGﾌｧｲﾙで上書き保存する(&S)"), false);
    BMPT1 = item(File1, "BMPT1", QStringLiteral("BMPﾌｧｲﾙで上書き保存する(&T)"), false);
    File1->addSeparator();
    JPEGU1 = item(File1, "JPEGU1", QStringLiteral("JPGﾌｧｲﾙで別名保存する(&U)"), false);
    BMPV1 = item(File1, "BMPV1", QStringLiteral("BMPﾌｧｲﾙで別名保存する(&V)"), false);
    File1->addSeparator();
    P1 = item(File1, "P1", QStringLiteral("画像印刷(&P)"), false);
    File1->addSeparator();
    X1 = item(File1, "X1", QStringLiteral("終了(&X)"));

    Show1 = menu(bar, "Show1", QStringLiteral("設定・表示(&I)"));
    F1 = checkItem(Show1, "F1", QStringLiteral("ﾌｧｲﾙ情報(&F)"));
    H4 = checkItem(Show1, "H4", QStringLiteral("ﾋｽﾄｸﾞﾗﾑ(&H)"));
    L2 = checkItem(Show1, "L2", QStringLiteral("ﾌｧｲﾙﾘｽﾄ(&L)"));
    Show1->addSeparator();
    JPGJ1 = item(Show1, "JPGJ1", QStringLiteral("JPG圧縮度合(&J)"));
    BMPB1 = submenu(Show1, "BMPB1", QStringLiteral("BMPビット形式(&B)"));
    A2 = checkItem(BMPB1, "A2", QStringLiteral("８ビット(&A)"));
    N24C1 = checkItem(BMPB1, "N24C1", QStringLiteral("24ビット(&C)"));
    N32D1 = checkItem(BMPB1, "N32D1", QStringLiteral("32ビット(&D)"));
    Show1->addSeparator();
    C1 = item(Show1, "C1", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&C)"), false);
    P2 = item(Show1, "P2", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)"));

    B3 = menu(bar, "B3", QStringLiteral("戻る(&B)"));
    O1 = item(B3, "O1", QStringLiteral("戻る(&O)"));
    T2 = item(B3, "T2", QStringLiteral("最初に戻る(&T)"));

    D1 = menu(bar, "D1", QStringLiteral("表示スケール(&D)"));
    FULLF1 = checkItem(D1, "FULLF1", QStringLiteral("FULL(&F)"));
    N12H1 = checkItem(D1, "N12H1", QStringLiteral("1/2(&H)"));
    N13T1 = checkItem(D1, "N13T1", QStringLiteral("1/3(&T)"));
    N14Q1 = checkItem(D1, "N14Q1", QStringLiteral("1/4(&Q)"));
    N18E1 = checkItem(D1, "N18E1", QStringLiteral("1/8(&E)"));

    S2 = menu(bar, "S2", QStringLiteral("サイズ変更(&S)"));
    N11B1 = item(S2, "N11B1", QStringLiteral("1/1原寸(&B)"));
    N12H2 = item(S2, "N12H2", QStringLiteral("1/2(&H)"));
    N14Q2 = item(S2, "N14Q2", QStringLiteral("1/4(&Q)"));
    N18E2 = item(S2, "N18E2", QStringLiteral("1/8(&E)"));
    S2->addSeparator();
    A1 = item(S2, "A1", QStringLiteral("任意指定(&A)"));

    T3 = menu(bar, "T3", QStringLiteral("トリミング(&T)"));
    W1 = item(T3, "W1", QStringLiteral("壁紙(&W)"));
    T3->addSeparator();
    A5 = item(T3, "A5", QStringLiteral("任意(&A)"));

    R1 = menu(bar, "R1", QStringLiteral("回転(&R)"));
    R2 = item(R1, "R2", QStringLiteral("右９０°(&R)"));
    L1 = item(R1, "L1", QStringLiteral("左９０°(&L)"));
    H1 = item(R1, "H1", QStringLiteral("１８０°(&H)"));
    A3 = item(R1, "A3", QStringLiteral("左右反転(&A)"));
    B2 = item(R1, "B2", QStringLiteral("上下反転(&B)"));
    R1->addSeparator();
    D3 = item(R1, "D3", QStringLiteral("任意角度(&D)"));

    H2 = menu(bar, "H2", QStringLiteral("変形(&H)"));
    D2 = item(H2, "D2", QStringLiteral("台形－両側(&D)"));
    E1 = item(H2, "E1", QStringLiteral("台形－右側(&E)"));
    F2 = item(H2, "F2", QStringLiteral("台形－左側(&F)"));
    G1 = item(H2, "G1", QStringLiteral("平行四辺形(&G)"));

    C2 = menu(bar, "C2", QStringLiteral("カラー(&C)"));
    F3 = submenu(C2, "F3", QStringLiteral("フィルター(&F)"));
    N1C1 = item(F3, "N1C1", QStringLiteral("シャープ（弱）(&C)"));
    L3 = item(F3, "L3", QStringLiteral("シャープ（中）(&L)"));
    D4 = item(F3, "D4", QStringLiteral("シャープ（強）(&D)"));
    F3->addSeparator();
    N1A1 = item(F3, "N1A1", QStringLiteral("平滑・ノイズ除去（弱）(&A)"));
    N2B1 = item(F3, "N2B1", QStringLiteral("平滑・ノイズ除去（中）(&B)"));
    I1 = item(F3, "I1", QStringLiteral("平滑・ノイズ除去（強）(&K)"));
    N13 = item(F3, "N13", QStringLiteral("ノイズ除去（中央値）(&N)"));
    F3->addSeparator();
    E4 = item(F3, "E4", QStringLiteral("エンボス（１）(&G)"));
    F4 = item(F3, "F4", QStringLiteral("エンボス（２）(&H)"));
    F3->addSeparator();
    H5 = item(F3, "H5", QStringLiteral("任意フィルター（３×３）(&J)"));
    K1 = item(C2, "K1", QStringLiteral("RGB濃度(&K)"));
    T1 = item(C2, "T1", QStringLiteral("色調(&T)"));
    M1 = item(C2, "M1", QStringLiteral("ｺﾝﾄﾗｽﾄ・明るさ(&M)"));
    A4 = item(C2, "A4", QStringLiteral("色あい(&A)"));
    G3 = item(C2, "G3", QStringLiteral("ガンマ補正(&G)"));
    C3 = item(C2, "C3", QStringLiteral("ヒストグラム均一化(&C)"));
    B1 = item(C2, "B1", QStringLiteral("白黒調(&B)"));

    Help1 = menu(bar, "Help1", QStringLiteral("ヘルプ(&H)"));
    Help2 = item(Help1, "Help2", QStringLiteral("ヘルプ(&H)"));
    Help1->addSeparator();
    About1 = item(Help1, "About1", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"));
}
