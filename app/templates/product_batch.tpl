# The product-code batch window: EAN-13 codes of a range, one picture per code.
window 0x520101FC
header 0 0x19010209

component 0x060101FB window
  rect 50 50 393 241
  flags visible
  on 2 ProductBatch_Destroying
  props
    version 6
    border 2  # fixed
    picture_placement 1
    back_colour 0xFF000000
    maximise_box 0
    minimise_box 1
    control_box 1
    start_position 1  # centred on the screen
    movable 1
    esc_closes 1
    taskbar 1
    caption "商品编码"

component 0x16010246 button "按钮3"
  rect 365 161 20 20
  flags visible tab_stop
  on 0 ProductBatch_ChooseDirectory_Click
  props
    version 1
    caption ".."

component 0x16010245 edit_box "编辑框5"
  rect 248 162 116 20
  flags visible tab_stop
  props
    version 1
    input_mode 0

component 0x16010244 label "标签5"
  rect 192 162 56 16
  flags visible
  props
    version 1
    caption "存放目录："

component 0x16010208 button "按钮2"
  rect 196 184 184 24
  flags visible tab_stop
  on 0 ProductBatch_BatchSave_Click
  props
    version 1
    caption "批量生成"

component 0x16010207 edit_box "编辑框4"
  rect 0 0 192 208
  flags visible tab_stop
  props
    version 1
    input_mode 0
    multi_line 1  # the code list: editable, codes may also be typed or pasted
    scroll_bars 2  # vertical

component 0x16010206 button "按钮1"
  rect 8 120 176 24
  in "分组框1"
  flags visible tab_stop
  on 0 ProductBatch_ComputeCodes_Click
  props
    version 1
    caption "计算编码"

component 0x16010205 edit_box "编辑框3"
  rect 72 92 112 20
  in "分组框1"
  flags visible tab_stop
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x16010204 label "标签4"
  rect 8 88 56 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "终止位置："

component 0x16010203 edit_box "编辑框2"
  rect 72 66 112 20
  in "分组框1"
  flags visible tab_stop
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x16010202 label "标签3"
  rect 8 64 56 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "起始位置："

component 0x16010201 label "标签2"
  rect 8 40 176 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "自主编码"

component 0x16010200 edit_box "编辑框1"
  rect 72 19 112 20
  in "分组框1"
  flags visible tab_stop
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x160101FE group_box "分组框1"
  rect 192 8 192 152
  flags visible
  props
    version 1
    caption "EAN13批量编码"

component 0x160101FF label "标签1"
  rect 8 16 56 24
  in "分组框1"
  flags visible
  props
    version 1
    caption "固定编码："
