# The tutorial window: a scan code of the tutorial text (tutorial.txt, made into
# tutorial_qr.png at build time) and a button that opens the tutorial page.
window 0x52010352
header 45026192 0x19010356

component 0x06010351 window
  rect 50 50 343 452
  flags visible
  props
    version 6
    border 2  # fixed
    picture_placement 1
    back_colour 0x00FFFFFF
    maximise_box 0
    minimise_box 1
    control_box 1
    start_position 1  # centred on the screen
    movable 1
    esc_closes 1
    taskbar 1
    caption "软件教程"

component 0x16010355 label "标签1"
  rect 20 350 296 26
  flags visible
  props
    version 1
    alignment 1  # centred
    caption "微信扫描查看教程"

component 0x16010354 button "按钮1"
  rect 8 384 312 32
  flags visible tab_stop
  on 0 Tutorial_OpenPage_Click
  props
    version 1
    caption "电脑直接查看"

component 0x16010353 picture_box "图片框1"
  rect 0 8 336 336
  flags visible
  props
    version 1
    picture_mode 3  # centred
    back_colour 0x00FFFFFF
    picture file "tutorial_qr.png"
