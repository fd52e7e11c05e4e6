// The shipped program: the click converts, release_globals runs at the end.
#include "app/program_variant.h"

#include "convert/program_state.h"

const ProgramVariant& program_variant() {
  static const ProgramVariant shipped = {nullptr, nullptr, run_generate_direct_link, release_globals};
  return shipped;
}
