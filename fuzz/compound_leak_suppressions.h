// libgsf leaks a directory entry when it refuses some damaged compound
// files, inside gsf_infile_msole_new; that leak is not ours to fix. Full
// allocation stacks let the suppression name that function exactly, so any
// other leak is still reported.
#pragma once

extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:gsf_infile_msole_new\n"; }
