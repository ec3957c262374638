#!/usr/bin/env bash
# receive_job.sh DIR [SBEMU]: the command of a test queue's pipe port. Takes one job from
# standard input into DIR/job.part, through the printer emulator SBEMU (its log in
# DIR/jobs.log) or as it came, and renames it DIR/job.dat once complete, so a job that is
# there is whole; a malformed one too.
#
# Wine's spooler starts a pipe port's command from a fork of the sending program, whose
# other threads may be sending to other pipe ports: a command started meanwhile inherits
# the write end of the other job's pipe, and two that hold each other's wait for their ends
# for ever (seen with switchboard-cli send --all --jobs 4). Every descriptor but the
# standard three is closed first; the braces have bash read the whole script before that,
# its own descriptor on the script among them.
{
    for fd in /proc/$$/fd/*; do
        fd=${fd##*/}
        ((fd > 2)) && eval "exec $fd>&-" 2>/dev/null
    done
    dir=$1
    if (($# > 1)); then
        "$2" receive --log "$dir/jobs.log" --out "$dir/job.part"
    else
        cat >"$dir/job.part"
    fi
    mv "$dir/job.part" "$dir/job.dat"
    exit
}
