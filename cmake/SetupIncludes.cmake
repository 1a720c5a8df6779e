# The NSIS includes of the setup program, made from the sources that the program itself is built
# from, so that the two never disagree:
#   product_names.nsh    every string and number constant of the given C++ headers
#                        (`inline constexpr ... NAME = L"text";` or `= 123;`) as !define NAME
#   setup_languages.nsh  one NSIS language per catalogue file res/lang/<id>-*.txt (English
#                        first, the default), the texts the setup program shows in each, and
#                        QmIsCatalogueLanguage for installer and uninstaller

function(qm_nsis_quote text out)
    string(REPLACE "$" "$$" text "${text}")
    string(REPLACE "\"" "$\\\"" text "${text}")
    string(REPLACE "\\n" "$\\n" text "${text}")
    set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

function(qm_product_names_nsh out)
    set(body "; Generated from ${ARGN}\n")
    foreach(header ${ARGN})
        file(READ ${header} source)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
        string(REGEX MATCHALL "inline constexpr [a-z0-9_ ]+\\*? *[A-Z0-9_]+ =[ \n]*(L\"[^\"]*\"|[0-9]+)"
               definitions "${source}")
        foreach(definition ${definitions})
            string(REGEX REPLACE ".* ([A-Z0-9_]+) =[ \n]*L?\"?([^\"]*)\"?$" "\\1;\\2" pair
                   "${definition}")
            list(GET pair 0 name)
            list(LENGTH pair count)
            set(value "")
            if(count GREATER 1)
                list(GET pair 1 value)
            endif()
            string(REPLACE "\\\\" "\\" value "${value}")
            qm_nsis_quote("${value}" quoted)
            string(APPEND body "!define ${name} ${quoted}\n")
        endforeach()
    endforeach()
    file(WRITE ${out}.new "${body}")
    file(COPY_FILE ${out}.new ${out} ONLY_IF_DIFFERENT)
    file(REMOVE ${out}.new)
endfunction()

# The NSIS language file whose "Language ID" is `id`, by its name (German for 1031).
function(qm_nsis_language_name nsis_dir id out)
    file(GLOB files "${nsis_dir}/Contrib/Language files/*.nlf")
    foreach(file ${files})
        file(READ ${file} head LIMIT 200)
        string(REGEX MATCH "# Language ID\r?\n([0-9]+)" language "${head}")
        set(language "${CMAKE_MATCH_1}")
        if(language STREQUAL id)
            get_filename_component(name ${file} NAME_WE)
            set(${out} ${name} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "NSIS has no language file for language ${id}")
endfunction()

# Message `id` of a catalogue file, with the model name in place of "%s".
function(qm_catalogue_text file id model out)
    file(STRINGS ${file} lines REGEX "^${id}\t" ENCODING UTF-8)
    string(REGEX REPLACE "^${id}\t" "" text "${lines}")
    string(REPLACE "%s" "${model}" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# `texts`: pairs of an NSIS string name and a message id.
function(qm_setup_languages_nsh out lang_dir nsis_dir model)
    set(texts ${ARGN})
    file(GLOB files CONFIGURE_DEPENDS ${lang_dir}/*.txt)
    list(SORT files)
    set(english "")
    set(others "")
    foreach(file ${files})
        get_filename_component(base ${file} NAME)
        string(REGEX REPLACE "-.*" "" id "${base}")
        if(id STREQUAL 1033)
            list(APPEND english ${file})
        else()
            list(APPEND others ${file})
        endif()
    endforeach()
    set(body "; Generated from ${lang_dir} and the NSIS language files.\n")
    set(known "")
    foreach(file ${english} ${others})
        get_filename_component(base ${file} NAME)
        string(REGEX REPLACE "-.*" "" id "${base}")
        qm_nsis_language_name(${nsis_dir} ${id} name)
        string(APPEND body "!insertmacro MUI_LANGUAGE \"${name}\"\n")
        set(index 0)
        list(LENGTH texts count)
        while(index LESS count)
            list(GET texts ${index} string_name)
            math(EXPR next "${index} + 1")
            list(GET texts ${next} message)
            qm_catalogue_text(${file} ${message} "${model}" text)
            qm_nsis_quote("${text}" quoted)
            string(APPEND body "LangString ${string_name} ${id} ${quoted}\n")
            math(EXPR index "${index} + 2")
        endwhile()
        string(APPEND known "        StrCmp $0 ${id} known\n")
    endforeach()
    string(APPEND body "
; Pops a text, pushes 1 when it is the id of a catalogue language, else 0.
!macro QM_IS_CATALOGUE_LANGUAGE un
Function \${un}QmIsCatalogueLanguage
    Exch $0
${known}        StrCpy $0 0
        Goto done
    known:
        StrCpy $0 1
    done:
    Exch $0
FunctionEnd
!macroend
!insertmacro QM_IS_CATALOGUE_LANGUAGE \"\"
!insertmacro QM_IS_CATALOGUE_LANGUAGE \"un.\"
")
    file(WRITE ${out}.new "${body}")
    file(COPY_FILE ${out}.new ${out} ONLY_IF_DIFFERENT)
    file(REMOVE ${out}.new)
endfunction()
