# Writes the sample product's shift tables: 1.6 MB that compress poorly, so that the set
# needs two diskettes and a member runs on from the first into the second. The same seed
# gives the same file on every build.
string(RANDOM LENGTH 1600000
       ALPHABET "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=-_!#$%&()*,.:<>?@^{}~"
       RANDOM_SEED 1995 data)
file(WRITE "${OUTPUT}" "${data}")
