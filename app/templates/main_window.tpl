# The main window: a single barcode from the fixed and self codes, its settings, the
# preview with its rulers and scroll bars, and the help menu.
window 0x52010001
header 0 0x19010005

component 0x06010000 window
  rect 50 50 816 720
  flags visible
  on 0 MainWindow_Created
  on 2 MainWindow_Destroying
  on 4 MainWindow_Sized
  props
    version 6
    border 1  # sizeable
    picture_placement 1
    back_colour 0xFF000000
    maximise_box 0
    minimise_box 1
    control_box 1
    start_position 1  # centred on the screen
    movable 1
    esc_closes 1
    taskbar 1
    caption "Barvell"

component 0x26010328 menu_item
  level 0
  caption "帮助"

component 0x26010329 menu_item
  level 1
  caption "教程"
  handler MainWindow_ShowTutorial

component 0x2601034E menu_item
  level 1
  caption "关于"
  handler MainWindow_ShowAbout

component 0x160101FA button "按钮8"
  rect 104 196 80 24
  in "分组框1"
  flags visible tab_stop
  on 0 MainWindow_Code39Batch_Click
  props
    version 1
    caption "批量生成"

component 0x160101F9 button "按钮7"
  rect 104 144 80 24
  in "分组框1"
  flags visible tab_stop
  on 0 MainWindow_ProductBatch_Click
  props
    version 1
    caption "批量生成"

component 0x160101F1 common_dialog "通用对话框1"
  rect 648 608 26 26
  flags 0  # hidden
  props
    version 1
    dialog_kind 1
    filter_index 0
    file_must_exist 1
    overwrite_prompt 1
    path_must_exist 1
    title "图片保存"
    filter "PNG图片|*.png|JPG图片|*.jpg|BMP图片|*.bmp"
    default_extension "*.png|*.jpg|*.bmp"

component 0x16010147 label "标签27"
  rect 160 90 24 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "毫米"

component 0x16010146 edit_box "编辑框11"
  rect 64 92 88 20
  in "分组框3"
  flags visible tab_stop
  focus 5
  on 0 MainWindow_FontSize_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "3"

component 0x16010145 label "标签26"
  rect 8 88 56 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "字体大小："

component 0x16010144 button "按钮6"
  rect 8 196 80 24
  in "分组框1"
  flags visible tab_stop
  on 0 MainWindow_DrawCode39_Click
  props
    version 1
    caption "生成图片"

component 0x16010142 edit_box "编辑框7"
  rect 80 173 104 20
  in "分组框1"
  flags visible tab_stop
  focus 13
  props
    version 1
    input_mode 0

component 0x16010141 label "标签25"
  rect 8 171 72 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "CODE39编码："

component 0x160100CA picture_box "挡板2"
  rect 600 544 16 16
  flags visible
  props
    version 1

component 0x160100C9 picture_box "挡板1"
  rect 0 0 32 32
  flags visible
  props
    version 1

component 0x160100BE button "按钮5"
  rect 124 113 62 24
  in "分组框2"
  flags visible tab_stop
  on 0 MainWindow_Refresh_Click
  props
    version 1
    caption "刷新"

component 0x160100BA label "标签24"
  rect 160 188 24 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "毫米"

component 0x160100B9 edit_box "编辑框6"
  rect 64 190 96 20
  in "分组框3"
  flags visible tab_stop
  focus 9
  on 0 MainWindow_LeftMargin_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "5"

component 0x160100B8 label "标签23"
  rect 8 186 56 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "左边边距："

component 0x160100B7 label "标签22"
  rect 160 162 24 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "毫米"

component 0x160100B6 edit_box "编辑框5"
  rect 64 165 96 20
  in "分组框3"
  flags visible tab_stop
  focus 8
  on 0 MainWindow_TopMargin_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "5"

component 0x160100B5 label "标签21"
  rect 8 162 56 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "顶部边距："

component 0x160100A4 button "按钮4"
  rect 8 88 80 24
  in "分组框1"
  flags visible tab_stop
  on 0 MainWindow_ComputeCode_Click
  props
    version 1
    caption "计算编码"

component 0x1601000C group_box "分组框1"
  rect 616 384 192 224
  flags visible
  props
    version 1
    caption "编码信息"

component 0x16010072 button "按钮3"
  rect 616 608 192 24
  flags visible tab_stop
  on 0 MainWindow_SavePicture_Click
  props
    version 1
    caption "保存图片"

component 0x16010071 colour_picker "颜色选择器3"
  rect 64 66 120 22
  in "分组框3"
  flags visible tab_stop
  on 0 MainWindow_TextColour_Changed

component 0x16010070 label "标签20"
  rect 8 64 64 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "字体颜色："

component 0x1601006E label "标签19"
  rect 160 136 24 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "毫米"

component 0x1601006D edit_box "编辑框10"
  rect 74 140 78 20
  in "分组框3"
  flags visible tab_stop
  focus 7
  on 0 MainWindow_GuardExtension_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "2"

component 0x1601006C label "标签18"
  rect 8 138 72 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "标识符加长："

component 0x1601006A label "标签17"
  rect 160 114 24 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "毫米"

component 0x1601006B edit_box "编辑框9"
  rect 64 115 88 20
  in "分组框3"
  flags visible tab_stop
  focus 6
  on 0 MainWindow_BarHeight_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "10"

component 0x16010069 label "标签16"
  rect 8 112 56 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "条码高度："

component 0x16010068 colour_picker "颜色选择器2"
  rect 64 40 120 22
  in "分组框3"
  flags visible tab_stop
  on 0 MainWindow_LineColour_Changed

component 0x16010067 label "标签15"
  rect 8 40 64 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "线条颜色："

component 0x16010066 colour_picker "颜色选择器1"
  rect 64 16 120 22
  in "分组框3"
  flags visible tab_stop
  on 0 MainWindow_BackColour_Changed
  props
    version 1
    colour 0x00FFFFFF
    allow_transparent 0

component 0x16010065 label "标签14"
  rect 8 16 64 24
  in "分组框3"
  flags visible
  props
    version 1
    caption "背景颜色："

component 0x16010064 group_box "分组框3"
  rect 616 158 192 218
  flags visible
  props
    version 1
    caption "条码设置"

component 0x16010034 status_bar "状态条1"
  rect 0 425 813 20
  flags visible
  props
    version 1
    size_grip 1

component 0x16010033 super_bar "多功能条2"
  rect 600 32 16 512
  flags visible tab_stop
  on 0 MainWindow_VerticalBar_Changed
  props
    version 1
    orientation 1  # vertical

component 0x16010032 super_bar "多功能条1"
  rect 32 544 568 16
  flags visible tab_stop
  on 0 MainWindow_HorizontalBar_Changed
  props
    version 1
    orientation 0  # horizontal

component 0x16010029 combo_box "组合框1"
  rect 64 115 56 20
  in "分组框2"
  flags visible tab_stop
  on 0 MainWindow_SaveFormat_Changed
  props
    version 1
    style 2  # drop-down list
    current_selection 0
    items "PNG" 5 "JPG" 2 "BMP" 1

component 0x16010027 label "标签13"
  rect 8 111 64 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "保存格式："

component 0x16010026 label "标签12"
  rect 160 88 24 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "毫米"

component 0x16010025 edit_box "编辑框8"
  rect 64 90 88 20
  in "分组框2"
  flags visible tab_stop
  focus 4
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "0.32"

component 0x16010024 label "标签11"
  rect 8 88 56 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "线条粗细："

component 0x16010023 label "标签10"
  rect 160 64 24 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "dpi"

component 0x16010022 edit_box "编辑框_打印分辨率"
  rect 80 66 72 20
  in "分组框2"
  flags visible tab_stop
  focus 3
  on 0 MainWindow_Resolution_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "300"

component 0x16010021 label "标签9"
  rect 8 64 72 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "打印分辨率："

component 0x16010020 label "标签8"
  rect 160 40 24 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "毫米"

component 0x1601001E edit_box "编辑框_输出高度"
  rect 64 42 88 20
  in "分组框2"
  flags visible tab_stop
  focus 2
  on 0 MainWindow_OutputHeight_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "20"

component 0x1601001D label "标签7"
  rect 8 40 56 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "输出高度："

component 0x1601001C label "标签6"
  rect 160 16 24 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "毫米"

component 0x1601001B edit_box "编辑框_输出宽度"
  rect 64 17 88 20
  in "分组框2"
  flags visible tab_stop
  focus 1
  on 0 MainWindow_OutputWidth_Changed
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped
    content "35"

component 0x1601001A label "标签5"
  rect 8 16 56 24
  in "分组框2"
  flags visible
  props
    version 1
    caption "输出宽度："

component 0x16010019 group_box "分组框2"
  rect 616 9 192 143
  flags visible
  props
    version 1
    caption "图片信息"

component 0x16010018 button "按钮2"
  rect 8 144 80 24
  in "分组框1"
  flags visible tab_stop
  on 0 MainWindow_DrawProductCode_Click
  props
    version 1
    caption "生成图片"

component 0x16010017 edit_box "编辑框4"
  rect 64 119 120 20
  in "分组框1"
  flags visible tab_stop
  focus 12
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x16010016 label "标签4"
  rect 8 118 56 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "商品编码："

component 0x16010015 button "按钮1"
  rect 104 88 80 24
  in "分组框1"
  flags visible tab_stop
  on 0 MainWindow_DrawFullCode_Click
  props
    version 1
    caption "生成图片"

component 0x16010013 edit_box "编辑框3"
  rect 64 66 120 20
  in "分组框1"
  flags visible tab_stop
  focus 30
  props
    version 1
    input_mode 1  # read-only

component 0x16010012 label "标签3"
  rect 8 64 56 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "完整编码："

component 0x16010011 edit_box "编辑框2"
  rect 64 42 120 20
  in "分组框1"
  flags visible tab_stop
  focus 11
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x16010010 label "标签2"
  rect 8 40 56 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "自主编码："

component 0x1601000F edit_box "编辑框1"
  rect 64 18 120 20
  in "分组框1"
  flags visible tab_stop
  focus 10
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x1601000E label "标签1"
  rect 8 16 56 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "固定编码："

component 0x1601000B draw_panel "横向标尺"
  rect 32 0 584 32
  flags visible
  props
    version 1
    back_colour 0xFF000000
    auto_redraw 1

component 0x16010004 draw_panel "纵向标尺"
  rect 0 32 32 520
  flags visible
  props
    version 1
    back_colour 0xFF000000
    auto_redraw 1

component 0x160100C8 picture_box "挡板"
  rect 616 0 200 16
  flags visible
  props
    version 1

component 0x1601000D draw_panel "画板1"
  rect 32 32 512 224
  flags visible
  props
    version 1
    back_colour 0x00FFFFFF
    auto_redraw 1
