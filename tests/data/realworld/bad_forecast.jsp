<%@ page contentType="text/vnd.wap.wml" %>
<%@ taglib uri="http://java.sun.com/jstl/core" prefix="c" %>
<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
  <card id="fc" title="Forecast">
    <p>
      <b>5 days</b>
      <c:forEach var="d" items="${days}">
        <p><c:out value="${d.name}"/>: <c:out value="${d.text}"/></p>
      </c:forEach>
    </p>
  </card>
</wml>
