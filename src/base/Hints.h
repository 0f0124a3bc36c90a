// Branch and placement hints for the per-element paths of the readers.
//
// The readers run a few kilobytes of code for every element, beside
// expat's own; the rare cases (declarations, renamed elements, schema
// instance attributes, names outside ASCII) are kept out of that code so that
// what runs for every element stays together in the instruction cache.
#ifndef VXXML_SRC_BASE_HINTS_H
#define VXXML_SRC_BASE_HINTS_H

#if defined(__GNUC__) || defined(__clang__)
#define VXXML_UNLIKELY(x) __builtin_expect(!!(x), 0)
// A function for the rare case: laid out apart from the hot code, never
// inlined into it.
#define VXXML_COLD __attribute__((cold, noinline))
#define VXXML_NOINLINE __attribute__((noinline))
#else
#define VXXML_UNLIKELY(x) (x)
#define VXXML_COLD
#define VXXML_NOINLINE
#endif

#endif  // VXXML_SRC_BASE_HINTS_H
