# The account of make demo. Reads two files:
#   1. the library's debug log as text: one record a line, the header record
#      left out, CR removed;
#   2. the record of the launcher double, or /dev/null when the real
#      launcher ran (it keeps no record; then the library's posts are shown).
# The variable settings_keys names the keys of the job settings files to
# show, as a regular expression (default "Copies|NupPrintSetting|SortSetting").
# Prints the jobs, the messages the launcher got with the page files of each
# page list, and the problems found; exits 1 when there is a problem: a
# failed library step, a page that was neither handed over nor deleted, a
# page list naming a missing file, a message the launcher did not get.

BEGIN { if (settings_keys == "") settings_keys = "Copies|NupPrintSetting|SortSetting" }

function trim(s) { sub(/ +$/, "", s); return s }
function base(path,    n, parts) { n = split(path, parts, "\\"); return parts[n] }
function unix_path(path) { sub(/^[Zz]:/, "", path); gsub(/\\/, "/", path); return path }
function exists(path,    line, result) { result = (getline line < path); close(path); return result >= 0 }
function problem(text) { problems[++problem_count] = text }
function plural(n, word) { return n " " word (n == 1 ? "" : "s") }
function message_name(number) {
    if (number == 1125) return "LM_PRINT"
    if (number == 1126) return "LM_SUSPEND (no job open)"
    if (number == 1127) return "LM_RESUME (a job started while the launcher ran)"
    if (number == 1128) return "LM_DELETE (the library is unloaded)"
    return "message " number
}
function new_job(id) {
    if (!(id in seen)) { seen[id] = 1; jobs[++job_count] = id }
}

# ---- The debug log: columns 23-27 hold the number, the text starts at 29.
FILENAME == ARGV[1] {
    number = trim(substr($0, 23, 5)) + 0
    text = trim(substr($0, 29))
    job = int(number / 1000)
    if (text ~ /^  Copies:[0-9]+ ID=[0-9]+ was returned/) {
        split(text, word, /[: =]+/)  # "", "Copies", n, "ID", id, ...
        new_job(word[5]); copies[word[5]] = word[3]
    } else if (text ~ /^---- JP_SendData\(/) {
        sending = job
    } else if (text == " OK JP_SendData") {
        accepted[sending]++
    } else if (text ~ /^---[}] JP_EndJob\(/) {
        finish[job] = "ended"
    } else if (text ~ /^---[}] JP_AbortJob\(/) {
        finish[job] = "aborted"
    } else if (text ~ /was Deleted without Print\(AbortJob\)$/) {
        deleted[job]++
    } else if (text ~ /1job 1page instantly$/ && !(job in method)) {
        method[job] = "each page at once"
    } else if (text ~ /after receive 2pages:Data Hold$/ && !(job in method)) {
        method[job] = "pages in pairs"
    } else if (text ~ /after receive 4pages:Data Hold$/ && !(job in method)) {
        method[job] = "pages in fours"
    } else if (text ~ /after receive EndJob:Data Hold$/ && !(job in method)) {
        method[job] = "all pages after the job's end"
    } else if (text ~ /^ OK PostMessage\(/) {
        split(text, field, /[(,)]/)  # " OK PostMessage", window, message, wParam, lParam
        posts[++post_count] = field[3] " " field[4] " " field[5]
        if (field[3] == 1125) posted_groups[field[4]]++
    }
    if (text ~ /<<|<SYSTEM|^ NG /)
        problem("the debug log says: " text)
    next
}

# ---- The launcher double's record.
/^COMMAND LINE / { launcher_command = substr($0, 14); next }
/^MESSAGE / {
    received_count++
    if ($2 != 1125) { received[received_count] = "  " message_name($2); next }
    group_job = $3; group_first = $4; stage = "list"
    list_name = ""; listed = ""; count = ""; pages = 0; settings = ""
    next
}
/^FILE / && stage == "list" { list_name = base(substr($0, 6)); next }
/^FILE / && stage == "settings" { settings_name = base(substr($0, 6)); next }
/^NO FILE / { problem("the launcher could not read " substr($0, 9)); next }
/^\| / && stage == "list" {
    line = substr($0, 3)
    if (count == "") { count = line; next }
    pages++
    listed = listed " " base(line)
    if (!exists(unix_path(line)))
        problem("\"" list_name "\" lists a page file that is not there: " line)
    next
}
/^\| / && stage == "settings" {
    line = substr($0, 3)
    if (line ~ ("^(" settings_keys ")="))
        settings = settings (settings == "" ? "" : ", ") line
    next
}
/^END FILE/ && stage == "list" { stage = "settings"; next }
/^END FILE/ && stage == "settings" {
    stage = ""
    if (count != pages)
        problem("\"" list_name "\" says " count " pages and lists " pages)
    if (!(group_job in shown_settings)) {
        shown_settings[group_job] = 1
        received[received_count] = "  job " group_job ", settings hand-off file \"" settings_name \
            "\": " settings "\n"
    }
    received[received_count] = received[received_count] "    LM_PRINT job " group_job \
        ", first page " group_first ": \"" list_name "\" lists " plural(pages, "page") ":" listed
    handed[group_job] += pages
    group_sizes[group_job] = group_sizes[group_job] (group_sizes[group_job] == "" ? "" : " + ") pages
    next
}
/^EXIT/ { launcher_ended = 1 }

END {
    print "Jobs (from the debug log):"
    for (i = 1; i <= job_count; i++) {
        id = jobs[i]
        line = "  job " id ": copies " copies[id] ", " plural(accepted[id] + 0, "page") " accepted"
        if (id in method) line = line ", " method[id]
        line = line ", " (id in finish ? finish[id] : "still open")
        if (posted_groups[id] > 0) {
            line = line "; " plural(posted_groups[id], "group") " handed over"
            if (id in group_sizes) line = line " (" group_sizes[id] " pages)"
        } else {
            line = line "; nothing handed over"
        }
        if (deleted[id] > 0) line = line "; " plural(deleted[id], "held page") " deleted"
        print line
        if (id in finish && finish[id] == "aborted" && posted_groups[id] == 0 && deleted[id] != accepted[id])
            problem("job " id " was aborted with " accepted[id] " pages but " deleted[id] + 0 " were deleted")
        if (record_used && id in finish && finish[id] == "ended" && handed[id] != accepted[id])
            problem("job " id ": " accepted[id] + 0 " pages accepted, " handed[id] + 0 " reached the launcher")
    }
    if (job_count == 0)
        problem("the debug log shows no job")

    if (record_used) {
        print ""
        print "What the launcher received (its record):"
        print "  started as: " launcher_command
        for (i = 1; i <= received_count; i++)
            print received[i]
        if (launcher_ended) print "  (the launcher ended)"
        if (received_count != post_count)
            problem("the library posted " post_count " messages, the launcher received " received_count)
    } else {
        print ""
        print "What the library posted to the launcher (debug log):"
        for (i = 1; i <= post_count; i++) {
            split(posts[i], m, " ")
            if (m[1] == 1125) print "  LM_PRINT job " m[2] ", first page " m[3]
            else print "  " message_name(m[1])
        }
    }

    if (problem_count > 0) {
        print ""
        print "PROBLEMS:"
        for (i = 1; i <= problem_count; i++)
            print "  " problems[i]
        exit 1
    }
}
