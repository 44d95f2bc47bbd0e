// The main window's menus and the items that are not an operation's own, by object name and
// caption; with the operations' items (their entries) under the names the window code uses.
#pragma once

#include "document/operation_entry.h"
#include "filters/filter_entries.h"
#include "geometry/geometry_entries.h"
#include "tone/tone_entries.h"

namespace tavlo {

inline constexpr MenuItemText kFileMenu{"File1", "ファイル(&F)"};
inline constexpr MenuItemText kOpenJpegItem{"Open1", "JPGﾌｧｲﾙを開く(&O)"};
inline constexpr MenuItemText kOpenBmpItem{"BMPP1", "BMPﾌｧｲﾙを開く(&P)"};
inline constexpr MenuItemText kSaveJpegItem{"S1", "JPGﾌｧｲﾙで上書き保存する(&S)"};
inline constexpr MenuItemText kSaveBmpItem{"BMPT1", "BMPﾌｧｲﾙで上書き保存する(&T)"};
inline constexpr MenuItemText kSaveJpegAsItem{"JPEGU1", "JPGﾌｧｲﾙで別名保存する(&U)"};
inline constexpr MenuItemText kSaveBmpAsItem{"BMPV1", "BMPﾌｧｲﾙで別名保存する(&V)"};
inline constexpr MenuItemText kPrintItem{"P1", "画像印刷(&P)"};
inline constexpr MenuItemText kQuitItem{"X1", "終了(&X)"};
inline constexpr MenuItemText kSettingsMenu{"Show1", "設定・表示(&I)"};
inline constexpr MenuItemText kFileInfoItem{"F1", "ﾌｧｲﾙ情報(&F)"};
inline constexpr MenuItemText kHistogramItem{"H4", "ﾋｽﾄｸﾞﾗﾑ(&H)"};
inline constexpr MenuItemText kFileListItem{"L2", "ﾌｧｲﾙﾘｽﾄ(&L)"};
inline constexpr MenuItemText kJpegQualityItem{"JPGJ1", "JPG圧縮度合(&J)"};
inline constexpr MenuItemText kSaveMetadataItem{"MetadataM1", "ﾒﾀﾃﾞｰﾀを保存(&M)"};
inline constexpr MenuItemText kBmpFormatMenu{"BMPB1", "BMPビット形式(&B)"};
inline constexpr MenuItemText kBmp8BitItem{"A2", "８ビット(&A)"};
inline constexpr MenuItemText kBmp24BitItem{"N24C1", "24ビット(&C)"};
inline constexpr MenuItemText kBmp32BitItem{"N32D1", "32ビット(&D)"};
inline constexpr MenuItemText kCopyItem{"C1", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&C)"};
inline constexpr MenuItemText kPasteItem{"P2", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&P)"};
inline constexpr MenuItemText kUndoMenu{"B3", "戻る(&B)"};
inline constexpr MenuItemText kUndoItem{"O1", "戻る(&O)"};
inline constexpr MenuItemText kRevertItem{"T2", "最初に戻る(&T)"};
inline constexpr MenuItemText kScaleMenu{"D1", "表示スケール(&D)"};
inline constexpr MenuItemText kScaleFullItem{"FULLF1", "FULL(&F)"};
inline constexpr MenuItemText kScaleHalfItem{"N12H1", "1/2(&H)"};
inline constexpr MenuItemText kScaleThirdItem{"N13T1", "1/3(&T)"};
inline constexpr MenuItemText kScaleQuarterItem{"N14Q1", "1/4(&Q)"};
inline constexpr MenuItemText kScaleEighthItem{"N18E1", "1/8(&E)"};
inline constexpr MenuItemText kScaleFitItem{"FitW1", "ウィンドウに合わせる(&W)"};
inline constexpr MenuItemText kSizeMenu{"S2", "サイズ変更(&S)"};
inline constexpr const MenuItemText& kSizeOriginalItem = kShrinkMenuItems[0].item;
inline constexpr const MenuItemText& kSizeHalfItem = kShrinkMenuItems[1].item;
inline constexpr const MenuItemText& kSizeQuarterItem = kShrinkMenuItems[2].item;
inline constexpr const MenuItemText& kSizeEighthItem = kShrinkMenuItems[3].item;
inline constexpr const MenuItemText& kSizeCustomItem = kResizeMenuItems[0].item;
inline constexpr MenuItemText kTrimMenu{"T3", "トリミング(&T)"};
inline constexpr const MenuItemText& kWallpaperItem = kWallpaperMenuItems[0].item;
inline constexpr const MenuItemText& kTrimItem = kTrimMenuItems[0].item;
inline constexpr MenuItemText kRotateMenu{"R1", "回転(&R)"};
inline constexpr const MenuItemText& kRotateRightItem = kTurnMenuItems[0].item;
inline constexpr const MenuItemText& kRotateLeftItem = kTurnMenuItems[1].item;
inline constexpr const MenuItemText& kRotateHalfItem = kTurnMenuItems[2].item;
inline constexpr const MenuItemText& kMirrorItem = kTurnMenuItems[3].item;
inline constexpr const MenuItemText& kFlipItem = kTurnMenuItems[4].item;
inline constexpr const MenuItemText& kRotateAngleItem = kRotationMenuItems[0].item;
inline constexpr MenuItemText kDeformMenu{"H2", "変形(&H)"};
inline constexpr const MenuItemText& kKeystoneBothItem = kKeystoneMenuItems[0].item;
inline constexpr const MenuItemText& kKeystoneRightItem = kKeystoneMenuItems[1].item;
inline constexpr const MenuItemText& kKeystoneLeftItem = kKeystoneMenuItems[2].item;
inline constexpr const MenuItemText& kShearItem = kShearMenuItems[0].item;
inline constexpr MenuItemText kColourMenu{"C2", "カラー(&C)"};
inline constexpr MenuItemText kFilterMenu{"F3", "フィルター(&F)"};
inline constexpr const MenuItemText& kSharpenWeakItem = kFilterMenuItems[0].item;
inline constexpr const MenuItemText& kSharpenMediumItem = kFilterMenuItems[1].item;
inline constexpr const MenuItemText& kSharpenStrongItem = kFilterMenuItems[2].item;
inline constexpr const MenuItemText& kSmoothWeakItem = kFilterMenuItems[3].item;
inline constexpr const MenuItemText& kSmoothMediumItem = kFilterMenuItems[4].item;
inline constexpr const MenuItemText& kSmoothStrongItem = kFilterMenuItems[5].item;
inline constexpr const MenuItemText& kMedianItem = kMedianMenuItems[0].item;
inline constexpr const MenuItemText& kEmboss1Item = kFilterMenuItems[6].item;
inline constexpr const MenuItemText& kEmboss2Item = kFilterMenuItems[7].item;
inline constexpr const MenuItemText& kCustomFilterItem = kKernelMenuItems[0].item;
inline constexpr const MenuItemText& kToneCurveItem = kToneCurveMenuItems[0].item;
inline constexpr const MenuItemText& kColourToneItem = kColourToneMenuItems[0].item;
inline constexpr const MenuItemText& kContrastItem = kContrastMenuItems[0].item;
inline constexpr const MenuItemText& kVividnessItem = kVividnessMenuItems[0].item;
inline constexpr const MenuItemText& kGammaItem = kGammaMenuItems[0].item;
inline constexpr const MenuItemText& kEqualiseItem = kEqualiseMenuItems[0].item;
inline constexpr const MenuItemText& kMonochromeItem = kGreyMenuItems[0].item;
inline constexpr MenuItemText kHelpMenu{"Help1", "ヘルプ(&H)"};
inline constexpr MenuItemText kHelpItem{"Help2", "ヘルプ(&H)"};
inline constexpr MenuItemText kAboutItem{"About1", "ﾊﾞｰｼﾞｮﾝ情報(&V)"};

} // namespace tavlo
