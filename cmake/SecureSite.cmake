# The update check trusts what its site serves, so the site is reached over
# https. Plain http is allowed only to this machine's own loopback addresses
# (127.0.0.0/8, localhost, [::1]), which never leave it: tests and local
# mirrors. The program enforces the same rule on every load and redirect.
function(tamarock_is_secure_site url result)
  string(TOLOWER "${url}" lowered)  # schemes and host names ignore case
  if(lowered MATCHES "^https://[^/?#]+([/?#]|$)" OR
     lowered MATCHES "^http://(localhost|127\\.[0-9]+\\.[0-9]+\\.[0-9]+|\\[::1\\])(:[0-9]+)?([/?#]|$)")
    set(${result} TRUE PARENT_SCOPE)
  else()
    set(${result} FALSE PARENT_SCOPE)
  endif()
endfunction()
