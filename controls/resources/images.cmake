# The program's pictures, rendered from the SVG sources in src/ by scripts/render-images.sh.
# Code names them ":/images/<file>".
qt_add_resources(tesmora_kit "images"
  PREFIX "/images"
  BASE "${CMAKE_CURRENT_LIST_DIR}/images"
  FILES
    ${CMAKE_CURRENT_LIST_DIR}/images/clock.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/bulb-unlit.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/bulb-lit.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/monitor.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/telephone.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/information.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/calculator.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/disc.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/conversions.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/translator.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/calendar.bmp
    ${CMAKE_CURRENT_LIST_DIR}/images/match.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/plus.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/minus.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/multiply.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/divide.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/eraser.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/copy.bmp
    ${CMAKE_CURRENT_LIST_DIR}/images/play.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/stop.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/sign.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/flag.ico
    ${CMAKE_CURRENT_LIST_DIR}/images/donate.gif
    ${CMAKE_CURRENT_LIST_DIR}/images/about.jpg
    ${CMAKE_CURRENT_LIST_DIR}/images/hand.png
)
