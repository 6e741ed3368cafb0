# The README's examples must keep working.
if(TARGET zeltmath_tour)
  add_test(NAME examples.tour COMMAND zeltmath_tour)
endif()
