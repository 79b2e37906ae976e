# The Code 39 batch window: codes from a start, end, step and increment formula.
window 0x52010258
header 0 0x19010272

component 0x06010259 window
  rect 50 50 393 241
  flags visible
  on 2 Code39Batch_Destroying
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
    caption "CODE39批量编码"

component 0x16010271 label "标签6"
  rect 192 24 192 24
  cursor hand
  flags visible
  on -1 Code39Batch_Help_LeftDown
  props
    version 1
    text_colour 0x00FF0000  # blue, as a link
    caption "帮助信息"

component 0x16010270 edit_box "编辑框6"
  rect 248 2 136 20
  flags visible tab_stop
  props
    version 1
    input_mode 0

component 0x1601026F label "标签4"
  rect 192 0 56 24
  flags visible
  props
    version 1
    caption "计算公式："

component 0x1601026E button "按钮1"
  rect 197 128 184 24
  flags visible tab_stop
  on 0 Code39Batch_GenerateList_Click
  props
    version 1
    caption "生成编码信息"

component 0x1601026D edit_box "编辑框3"
  rect 248 98 136 20
  flags visible tab_stop
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x1601026C label "标签3"
  rect 192 96 56 24
  flags visible
  props
    version 1
    caption "单次增加："

component 0x1601026B edit_box "编辑框2"
  rect 248 74 136 20
  flags visible tab_stop
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x1601026A label "标签2"
  rect 192 72 56 24
  flags visible
  props
    version 1
    caption "结束位置："

component 0x16010269 edit_box "编辑框1"
  rect 248 50 136 20
  flags visible tab_stop
  props
    version 1
    input_mode 3  # integer: typed characters other than digits and "-" are dropped

component 0x16010268 label "标签1"
  rect 192 48 56 24
  flags visible
  props
    version 1
    caption "起始位置："

component 0x1601025A button "按钮3"
  rect 365 161 20 20
  flags visible tab_stop
  on 0 Code39Batch_ChooseDirectory_Click
  props
    version 1
    caption ".."

component 0x1601025B edit_box "编辑框5"
  rect 248 162 116 20
  flags visible tab_stop
  props
    version 1
    input_mode 0

component 0x1601025C label "标签5"
  rect 192 162 56 16
  flags visible
  props
    version 1
    caption "存放目录："

component 0x1601025D button "按钮2"
  rect 197 184 184 24
  flags visible tab_stop
  on 0 Code39Batch_BatchSave_Click
  props
    version 1
    caption "批量生成"

component 0x1601025E edit_box "编辑框4"
  rect 0 0 184 208
  flags visible tab_stop
  props
    version 1
    input_mode 0
    multi_line 1  # the code list: editable, codes may also be typed or pasted
    scroll_bars 2  # vertical
