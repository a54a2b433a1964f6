# cmake -DMODULE=<cmake/SecureSite.cmake> -P SecureSiteTest.cmake
include("${MODULE}")
set(secure
  "https://tamarock.org/releases" "HTTPS://tamarock.org" "https://example.org:8443/r?x=1"
  "http://127.0.0.1:8080" "http://127.45.6.7/releases" "http://localhost/r" "http://LOCALHOST:81"
  "http://[::1]:8080/r")
set(insecure
  "http://tamarock.org/releases" "http://example.invalid" "http://128.0.0.1/" "http://10.0.0.1"
  "http://[::2]/" "http://127.0.0.1.example.org/" "http://localhost.example.org"
  "http://127.0.0.1@example.org/" "ftp://127.0.0.1/" "file:///srv/r"
  "tamarock.org/releases" "" "https://")
foreach(url IN LISTS secure)
  tamarock_is_secure_site("${url}" ok)
  if(NOT ok)
    message(SEND_ERROR "refused a secure site: '${url}'")
  endif()
endforeach()
foreach(url IN LISTS insecure)
  tamarock_is_secure_site("${url}" ok)
  if(ok)
    message(SEND_ERROR "accepted an insecure site: '${url}'")
  endif()
endforeach()
