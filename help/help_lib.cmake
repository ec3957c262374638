# What the help's checks read out of its sources.

# The topics (with their #anchors) that a contents or index file points to.
function(sb_help_locals text out)
  string(REGEX MATCHALL "<param name=\"[Ll]ocal\" value=\"[^\"]*\">" params "${text}")
  set(locals)
  foreach(param IN LISTS params)
    string(REGEX REPLACE ".* value=\"([^\"]*)\">" "\\1" local "${param}")
    list(APPEND locals "${local}")
  endforeach()
  set(${out} ${locals} PARENT_SCOPE)
endfunction()

# A setting of the project file's [OPTIONS], such as "Contents file".
function(sb_help_option project name out)
  string(REGEX MATCH "\n${name}=[^\r\n]*" line "\n${project}")
  string(REGEX REPLACE "^\n${name}=" "" value "${line}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# The files that the project file's [FILES] lists.
function(sb_help_project_files project out)
  string(REGEX MATCH "\n\\[FILES\\][^[]*" section "\n${project}")
  string(REGEX REPLACE "^\n\\[FILES\\]" "" section "${section}")
  string(REGEX MATCHALL "[^\r\n]+" files "${section}")
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Everything the compile reads: the project file, its contents and index files and [FILES].
function(sb_help_inputs help_dir out)
  file(READ ${help_dir}/swbz48.hhp project)
  sb_help_option("${project}" "Contents file" contents)
  sb_help_option("${project}" "Index file" index)
  sb_help_project_files("${project}" files)
  set(${out} swbz48.hhp ${contents} ${index} ${files} PARENT_SCOPE)
endfunction()
