# Sourced: screenshots of Wine's windows on the session's display, saved in $shots (set by the
# caller), for the end-to-end cases and for make run.

# The X window that shows Wine's virtual desktop, or the root window.
desktop_window() {
  local id
  id=$(xdotool search --name ' - Wine desktop$' 2>/dev/null | head -n 1) || true
  echo "${id:-root}"
}

# Saves a part of the screen as $shots/NAME.png. Wine hands window contents to the X server a
# moment after painting, so the picture is taken again until two in a row are the same.
screenshot() {
  local name=$1 x=$2 y=$3 width=$4 height=$5
  ((x < 0)) && width=$((width + x)) && x=0
  ((y < 0)) && height=$((height + y)) && y=0
  local window tmp previous=""
  window=$(desktop_window)
  tmp=$(mktemp -d)
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    import -window "$window" -crop "${width}x${height}+${x}+${y}" +repage "$tmp/$attempt.png" ||
      break
    if [[ -n $previous ]] && cmp -s "$previous" "$tmp/$attempt.png"; then
      break
    fi
    previous=$tmp/$attempt.png
    sleep 0.2
  done
  if [[ -f $tmp/$attempt.png ]]; then
    mv "$tmp/$attempt.png" "$shots/$name.tmp.png"
    mv "$shots/$name.tmp.png" "$shots/$name.png"
    echo "  saved screenshot $shots/$name.png"
  else
    echo "  could not take screenshot $name"
  fi
  rm -rf "$tmp"
}
