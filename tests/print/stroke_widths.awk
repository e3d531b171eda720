# The stroke widths of an SVG drawing in its user units (points for
# pdftocairo): each path's stroke-width times the scale of its own and its
# groups' transforms, printed one a line for every stroked path.
function scale_of(tag,   m, a) {
  if (!match(tag, /transform="matrix\([^)]*\)"/)) return 1
  m = substr(tag, RSTART + 18, RLENGTH - 20)
  gsub(/[ ]+/, "", m)
  split(m, a, ",")
  return sqrt((a[1] * a[4] - a[2] * a[3]) < 0 ? -(a[1] * a[4] - a[2] * a[3]) : a[1] * a[4] - a[2] * a[3])
}
BEGIN { RS = "<"; depth = 0; scale[0] = 1 }
/^g[ >\/]/ {
  if ($0 ~ /^g[^>]*\/>/) next
  depth++; scale[depth] = scale[depth - 1] * scale_of($0); next
}
/^\/g>/ { if (depth > 0) depth--; next }
/^path / {
  if ($0 !~ /stroke-width/ || $0 ~ /stroke="none"/ || $0 ~ /stroke:none/) next
  if (!match($0, /stroke-width[=:]"?[0-9.eE+-]+/)) next
  w = substr($0, RSTART, RLENGTH); sub(/stroke-width[=:]"?/, "", w)
  printf "%.5f\n", w * scale[depth] * scale_of($0)
}
