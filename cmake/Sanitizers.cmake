# TVX_SANITIZE=address,undefined builds everything with those sanitizers.
# Undefined behaviour is made fatal so that the tests fail on it.
if(TVX_SANITIZE)
  add_compile_options(-fsanitize=${TVX_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${TVX_SANITIZE})
endif()
