# Writes OUT with one "<sha256>  <file name>" line per file of FILES (separated by ^).
string(REPLACE "^" ";" files "${FILES}")
set(lines "")
foreach(file ${files})
    file(SHA256 ${file} hash)
    get_filename_component(name ${file} NAME)
    string(APPEND lines "${hash}  ${name}\n")
endforeach()
file(WRITE ${OUT} "${lines}")
