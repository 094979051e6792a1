#pragma once

// The diagram library's plain C functions. Its header, read as C++, maps a
// few names onto a wrapper class this code does not use; they are unmapped
// here so that every call takes and gives plain node numbers.
#include <bdd.h>

#undef bdd_init
#undef bdd_ithvar
#undef bdd_nithvar
#undef bddtrue
#undef bddfalse
