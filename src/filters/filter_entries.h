// The filter operations as the batch tool, the menus and the filter-matrix dialog offer them.
#pragma once

#include "document/operation_entry.h"
#include "filter_kernel.h"
#include "filter_steps.h"
#include "histogram.h"

#include <string_view>

namespace tavlo {

FilterPreset parseFilterPreset(std::string_view argument);
// Nine coefficients separated by commas.
FilterKernel parseKernel(std::string_view argument);
// The name of a kernel file.
FilterKernel parseKernelFile(std::string_view argument);
NoParameters parseMedian(std::string_view argument);
HistogramScale parseEqualise(std::string_view argument);
NoParameters parseGrey(std::string_view argument);
// A histogram factor as the batch tool takes it: a positive finite decimal number.
float parseHistogramFactor(std::string_view word);

// In menu order: three sharpenings, three smoothings, two embossings.
inline constexpr MenuOffer<FilterPreset> kFilterMenuItems[] = {
    {{"N1C1", "シャープ（弱）(&C)"}, {4}},         {{"L3", "シャープ（中）(&L)"}, {5}},
    {{"D4", "シャープ（強）(&D)"}, {6}},           {{"N1A1", "平滑・ノイズ除去（弱）(&A)"}, {1}},
    {{"N2B1", "平滑・ノイズ除去（中）(&B)"}, {2}}, {{"I1", "平滑・ノイズ除去（強）(&K)"}, {3}},
    {{"E4", "エンボス（１）(&G)"}, {7}},           {{"F4", "エンボス（２）(&H)"}, {8}}};
inline constexpr OperationEntry<FilterPreset> kFilterEntry{
    "filter",        "filter:N",          parseFilterPreset,
    runFilterPreset, OfferedBy::MenuItem, kFilterMenuItems};

// The filter-matrix dialog runs the kernel its boxes hold and loads and saves kernel files.
inline constexpr MenuOffer<FilterKernel> kKernelMenuItems[] = {
    {{"H5", "任意フィルター（３×３）(&J)"}, kResetKernel}};
inline constexpr OperationEntry<FilterKernel> kKernelEntry{
    "kernel", "kernel:k0,...,k8", parseKernel, runConvolution, OfferedBy::Dialog, kKernelMenuItems};
inline constexpr OperationEntry<FilterKernel> kMatrixEntry{
    "matrix", "matrix:FILE.mtx", parseKernelFile, runConvolution, OfferedBy::Dialog, {}};

inline constexpr MenuOffer<NoParameters> kMedianMenuItems[] = {
    {{"N13", "ノイズ除去（中央値）(&N)"}, {}}};
inline constexpr OperationEntry<NoParameters> kMedianEntry{
    "median", "median", parseMedian, runMedian, OfferedBy::MenuItem, kMedianMenuItems};

// The menu item runs at the histogram window's scale.
inline constexpr MenuOffer<HistogramScale> kEqualiseMenuItems[] = {
    {{"C3", "ヒストグラム均一化(&C)"}, {}}};
inline constexpr OperationEntry<HistogramScale> kEqualiseEntry{
    "equalise",      "equalise[:F]",      parseEqualise,
    runEqualisation, OfferedBy::MenuItem, kEqualiseMenuItems};

inline constexpr MenuOffer<NoParameters> kGreyMenuItems[] = {{{"B1", "白黒調(&B)"}, {}}};
inline constexpr OperationEntry<NoParameters> kGreyEntry{
    "grey", "grey", parseGrey, runMonochrome, OfferedBy::MenuItem, kGreyMenuItems};

} // namespace tavlo
