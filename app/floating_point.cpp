#include "app/start_program.h"

void reset_floating_point_unit() {
#if defined(__i386__) || defined(__x86_64__)
  // fninit gives the x87 unit round to nearest, 64-bit precision and all
  // exceptions masked; the SSE unit gets the same rounding and masks.
  __asm__ __volatile__("fninit");
#if defined(__SSE__)
  const unsigned int defaults = 0x1F80;
  __asm__ __volatile__("ldmxcsr %0" : : "m"(defaults));
#endif
#endif
}
