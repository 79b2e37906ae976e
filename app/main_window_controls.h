// The main window and the controls its handlers use, by the ids of its template
// (app/templates/main_window.tpl). The batch windows draw with these controls too.
#pragma once

#include "barvell/call_interface.h"

namespace barvell::app::main_window {

constexpr WindowId kWindow = 0x52010001;

// Codes and their buttons.
constexpr ComponentId kFixedCode = 0x1601000F;    // 编辑框1 固定编码
constexpr ComponentId kSelfCode = 0x16010011;     // 编辑框2 自主编码
constexpr ComponentId kFullCode = 0x16010013;     // 编辑框3 完整编码 (read-only)
constexpr ComponentId kProductCode = 0x16010017;  // 编辑框4 商品编码
constexpr ComponentId kCode39Text = 0x16010142;   // 编辑框7 CODE39编码
constexpr ComponentId kDrawFullCode = 0x16010015;     // 按钮1 生成图片
constexpr ComponentId kDrawProductCode = 0x16010018;  // 按钮2 生成图片
constexpr ComponentId kSavePicture = 0x16010072;      // 按钮3 保存图片
constexpr ComponentId kComputeCode = 0x160100A4;      // 按钮4 计算编码
constexpr ComponentId kRefresh = 0x160100BE;          // 按钮5 刷新
constexpr ComponentId kDrawCode39 = 0x16010144;       // 按钮6 生成图片
constexpr ComponentId kProductBatch = 0x160101F9;     // 按钮7 批量生成
constexpr ComponentId kCode39Batch = 0x160101FA;      // 按钮8 批量生成

// Settings: edit boxes (millimetres unless noted), the colour pickers and the format list.
constexpr ComponentId kOutputWidth = 0x1601001B;     // 编辑框_输出宽度
constexpr ComponentId kOutputHeight = 0x1601001E;    // 编辑框_输出高度
constexpr ComponentId kResolution = 0x16010022;      // 编辑框_打印分辨率 (dots per inch)
constexpr ComponentId kLineThickness = 0x16010025;   // 编辑框8 线条粗细 (not stored)
constexpr ComponentId kBarHeight = 0x1601006B;       // 编辑框9 条码高度
constexpr ComponentId kGuardExtension = 0x1601006D;  // 编辑框10 标识符加长
constexpr ComponentId kFontSize = 0x16010146;        // 编辑框11 字体大小
constexpr ComponentId kTopMargin = 0x160100B6;       // 编辑框5 顶部边距
constexpr ComponentId kLeftMargin = 0x160100B9;      // 编辑框6 左边边距
constexpr ComponentId kBackColour = 0x16010066;      // 颜色选择器1 背景颜色
constexpr ComponentId kLineColour = 0x16010068;      // 颜色选择器2 线条颜色
constexpr ComponentId kTextColour = 0x16010071;      // 颜色选择器3 字体颜色
constexpr ComponentId kSaveFormat = 0x16010029;      // 组合框1 保存格式

// The preview and its frame.
constexpr ComponentId kPanel = 0x1601000D;            // 画板1
constexpr ComponentId kHorizontalRuler = 0x1601000B;  // 横向标尺
constexpr ComponentId kVerticalRuler = 0x16010004;    // 纵向标尺
constexpr ComponentId kHorizontalBar = 0x16010032;    // 多功能条1
constexpr ComponentId kVerticalBar = 0x16010033;      // 多功能条2
constexpr ComponentId kCodeGroup = 0x1601000C;        // 分组框1 编码信息
constexpr ComponentId kPictureGroup = 0x16010019;     // 分组框2 图片信息
constexpr ComponentId kSettingsGroup = 0x16010064;    // 分组框3 条码设置
constexpr ComponentId kStatusBar = 0x16010034;        // 状态条1
constexpr ComponentId kTopCover = 0x160100C8;         // 挡板
constexpr ComponentId kRulerCorner = 0x160100C9;      // 挡板1
constexpr ComponentId kBarCorner = 0x160100CA;        // 挡板2
constexpr ComponentId kSaveDialog = 0x160101F1;       // 通用对话框1

// The rulers and the preview start 32 pixels in: the rulers' thickness.
constexpr int32_t kRulerThickness = 32;

}  // namespace barvell::app::main_window
