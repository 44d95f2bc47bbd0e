// The geometry operations as the batch tool, the menus and the dialogs offer them.
#pragma once

#include "document/operation_entry.h"
#include "geometry_parameters.h"

namespace tavlo {

TurnParameters parseTurn(std::string_view argument);
OperationStatus turnSteps(Document& document, const TurnParameters& parameters);
ShrinkParameters parseShrink(std::string_view argument);
OperationStatus shrinkSteps(Document& document, const ShrinkParameters& parameters);
ResizeParameters parseResize(std::string_view argument);
OperationStatus resizeSteps(Document& document, const ResizeParameters& parameters);
RotationParameters parseRotation(std::string_view argument);
OperationStatus rotationSteps(Document& document, const RotationParameters& parameters);
DeformParameters parseKeystone(std::string_view argument);
DeformParameters parseShear(std::string_view argument);
OperationStatus deformationSteps(Document& document, const DeformParameters& parameters);
TrimRect parseTrim(std::string_view argument);
OperationStatus trimSteps(Document& document, const TrimRect& rect);
WallpaperParameters parseWallpaper(std::string_view argument);
OperationStatus wallpaperSteps(Document& document, const WallpaperParameters& parameters);

inline constexpr MenuOffer<TurnParameters> kTurnMenuItems[] = {
    {{"R2", "右９０°(&R)"}, {TurnMode::Right}},
    {{"L1", "左９０°(&L)"}, {TurnMode::Left}},
    {{"H1", "１８０°(&H)"}, {TurnMode::Half}},
    {{"A3", "左右反転(&A)"}, {TurnMode::Mirror}},
    {{"B2", "上下反転(&B)"}, {TurnMode::Flip}}};
inline constexpr OperationEntry<TurnParameters> kTurnEntry{
    "turn",        "turn:right|left|half|mirror|flip", parseTurn, turnSteps, OfferedBy::MenuItem,
    kTurnMenuItems};

// The only divisors the size menu and the batch tool take.
inline constexpr MenuOffer<ShrinkParameters> kShrinkMenuItems[] = {{{"N11B1", "1/1原寸(&B)"}, {1}},
                                                                   {{"N12H2", "1/2(&H)"}, {2}},
                                                                   {{"N14Q2", "1/4(&Q)"}, {4}},
                                                                   {{"N18E2", "1/8(&E)"}, {8}}};
inline constexpr OperationEntry<ShrinkParameters> kShrinkEntry{
    "shrink",    "shrink:D (D = 1, 2, 4, 8)", parseShrink,
    shrinkSteps, OfferedBy::MenuItem,         kShrinkMenuItems};

inline constexpr MenuOffer<ResizeParameters> kResizeMenuItems[] = {{{"A1", "任意指定(&A)"}, {}}};
inline constexpr OperationEntry<ResizeParameters> kResizeEntry{
    "resize", "resize:WxH", parseResize, resizeSteps, OfferedBy::Dialog, kResizeMenuItems};

inline constexpr MenuOffer<RotationParameters> kRotationMenuItems[] = {
    {{"D3", "任意角度(&D)"}, {}}};
inline constexpr OperationEntry<RotationParameters> kRotationEntry{
    "rotate", "rotate:DEG", parseRotation, rotationSteps, OfferedBy::Dialog, kRotationMenuItems};

// One deformation dialog serves both entries; the menu item chooses its mode.
inline constexpr MenuOffer<DeformParameters> kKeystoneMenuItems[] = {
    {{"D2", "台形－両側(&D)"}, {DeformMode::KeystoneBoth}},
    {{"E1", "台形－右側(&E)"}, {DeformMode::KeystoneRight}},
    {{"F2", "台形－左側(&F)"}, {DeformMode::KeystoneLeft}}};
inline constexpr OperationEntry<DeformParameters> kKeystoneEntry{
    "keystone",        "keystone:both|right|left:A",
    parseKeystone,     deformationSteps,
    OfferedBy::Dialog, kKeystoneMenuItems};
inline constexpr MenuOffer<DeformParameters> kShearMenuItems[] = {
    {{"G1", "平行四辺形(&G)"}, {DeformMode::Shear}}};
inline constexpr OperationEntry<DeformParameters> kShearEntry{
    "shear", "shear:A", parseShear, deformationSteps, OfferedBy::Dialog, kShearMenuItems};

inline constexpr MenuOffer<TrimRect> kTrimMenuItems[] = {{{"A5", "任意(&A)"}, {}}};
inline constexpr OperationEntry<TrimRect> kTrimEntry{"trim",    "trim:L,T,R,B",    parseTrim,
                                                     trimSteps, OfferedBy::Dialog, kTrimMenuItems};

inline constexpr MenuOffer<WallpaperParameters> kWallpaperMenuItems[] = {{{"W1", "壁紙(&W)"}, {}}};
inline constexpr OperationEntry<WallpaperParameters> kWallpaperEntry{
    "wallpaper",       "wallpaper:WxH or wallpaper:WxH@L,T",
    parseWallpaper,    wallpaperSteps,
    OfferedBy::Dialog, kWallpaperMenuItems};

} // namespace tavlo
