# The pictures and the address header the resource scripts include; included from the top
# level once the resource library exists.
set(QM_PICTURE_DIR ${QM_GENERATED}/pictures)
set(QM_PICTURES
    application.ico player_attached.ico player_detached.ico plus_sign.bmp tab_strip.bmp
    button_strip.bmp dot_on.bmp dot_off.bmp start_screen.bmp notice.bmp question.bmp warning.bmp
    progress.bmp logo.bmp progress_dots.bmp device_small.bmp)
list(TRANSFORM QM_PICTURES PREPEND ${QM_PICTURE_DIR}/ OUTPUT_VARIABLE QM_PICTURE_FILES)
add_custom_command(
    OUTPUT ${QM_PICTURE_FILES}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/art/make_pictures.sh ${QM_PICTURE_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/art/make_pictures.sh
    COMMENT "Drawing the pictures")
add_custom_target(pictures DEPENDS ${QM_PICTURE_FILES})
configure_file(${CMAKE_SOURCE_DIR}/res/product_addresses.h.in ${QM_GENERATED}/product_addresses.h
               @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/res/product_version.h.in ${QM_GENERATED}/product_version.h
               @ONLY)

target_include_directories(quillmate_resources PRIVATE ${QM_PICTURE_DIR})
add_dependencies(quillmate_resources pictures)
set_property(SOURCE res/quillmate.rc APPEND PROPERTY OBJECT_DEPENDS
             ${QM_PICTURE_FILES} ${CMAKE_SOURCE_DIR}/res/dialogs.rc
             ${CMAKE_SOURCE_DIR}/res/pictures.rc ${CMAKE_SOURCE_DIR}/res/resource.h)
target_include_directories(quillmate_win32 PUBLIC ${QM_GENERATED})
target_link_libraries(quillmate_win32 PUBLIC comctl32 msimg32)
