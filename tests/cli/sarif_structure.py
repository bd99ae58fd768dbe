#!/usr/bin/env python3
"""Checks a SARIF log on standard input against what SARIF 2.1.0 requires of its objects and
what zurcfg promises to put in them; prints the first fault and exits 1, else exits 0.
Usage: sarif_structure.py RESULTS UNREADABLE  (the numbers of results and notifications expected)
"""
import json
import re
import sys

LEVELS = {"none", "note", "warning", "error"}
# A URI reference: no blanks, no characters that must be percent-encoded.
URI = re.compile(r"^[A-Za-z0-9\-._~:/?#\[\]@!$&'()*+,;=%]+$")


def fail(text):
    print("SARIF: " + text)
    sys.exit(1)


def need(value, kind, where):
    if not isinstance(value, kind) or isinstance(value, bool) and kind is int:
        fail("%s is not a %s: %r" % (where, kind.__name__, value))
    return value


def check_message(message, where):
    need(message, dict, where)
    need(message.get("text"), str, where + ".text")


def check_location(location, where):
    physical = need(need(location, dict, where).get("physicalLocation"), dict,
                    where + ".physicalLocation")
    artifact = need(physical.get("artifactLocation"), dict, where + ".artifactLocation")
    uri = need(artifact.get("uri"), str, where + ".uri")
    if not URI.match(uri):
        fail("%s.uri is no URI reference: %r" % (where, uri))
    if "region" in physical:
        region = need(physical["region"], dict, where + ".region")
        if need(region.get("startLine"), int, where + ".region.startLine") < 1:
            fail(where + ".region.startLine below 1")
        if "startColumn" in region and need(region["startColumn"], int, where) < 1:
            fail(where + ".region.startColumn below 1")


def main():
    results_expected, unreadable_expected = int(sys.argv[1]), int(sys.argv[2])
    log = need(json.load(sys.stdin), dict, "log")
    if log.get("version") != "2.1.0":
        fail("version is %r" % log.get("version"))
    if "$schema" in log:
        need(log["$schema"], str, "$schema")
    runs = need(log.get("runs"), list, "runs")
    if len(runs) != 1:
        fail("%d runs" % len(runs))
    run = need(runs[0], dict, "runs[0]")
    driver = need(need(run.get("tool"), dict, "tool").get("driver"), dict, "tool.driver")
    if need(driver.get("name"), str, "driver.name") != "zurcfg":
        fail("driver.name is %r" % driver["name"])
    rules = need(driver.get("rules", []), list, "driver.rules")
    ids = [need(need(rule, dict, "rule").get("id"), str, "rule.id") for rule in rules]
    if len(set(ids)) != len(ids):
        fail("rule ids repeat")
    results = need(run.get("results"), list, "results")
    for i, result in enumerate(results):
        where = "results[%d]" % i
        need(result, dict, where)
        check_message(result.get("message"), where + ".message")
        if result.get("level") not in LEVELS:
            fail(where + ".level is %r" % result.get("level"))
        rule = need(result.get("ruleIndex"), int, where + ".ruleIndex")
        if rule >= len(ids) or ids[rule] != result.get("ruleId"):
            fail(where + " points at no rule of its id")
        for j, location in enumerate(need(result.get("locations"), list, where)):
            check_location(location, "%s.locations[%d]" % (where, j))
    if len(results) != results_expected:
        fail("%d results, %d expected" % (len(results), results_expected))
    notifications = 0
    for invocation in need(run.get("invocations", []), list, "invocations"):
        need(need(invocation, dict, "invocation").get("executionSuccessful"), bool,
             "invocation.executionSuccessful")
        for note in need(invocation.get("toolExecutionNotifications", []), list, "notes"):
            check_message(need(note, dict, "notification").get("message"), "notification")
            for j, location in enumerate(note.get("locations", [])):
                check_location(location, "notification.locations[%d]" % j)
            notifications += 1
    if notifications != unreadable_expected:
        fail("%d notifications, %d expected" % (notifications, unreadable_expected))


main()
