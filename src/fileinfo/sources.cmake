# SPDX-License-Identifier: GPL-3.0-or-later
# Sources of src/fileinfo.
target_sources(quorvex_core PRIVATE
    fileinfo/attribute_table.h
    fileinfo/date_time_text.cpp
    fileinfo/date_time_text.h
    fileinfo/form2.cpp
    fileinfo/form2.h
    fileinfo/get_file_info.cpp
    fileinfo/get_file_info.h
    fileinfo/object_names.cpp
    fileinfo/object_names.h
)
